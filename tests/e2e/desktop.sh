# SPDX-License-Identifier: MIT
# A private X desktop for tests and benchmarks: Xvfb and a window manager, then on request a
# tray in the top-right corner and a session bus with a pinyin input method. Source it, call
# desktop_start, and desktop_stop from an EXIT trap; processes stop in reverse start order, so
# anything started after the display goes before it.

DESKTOP_PIDS=()
DESKTOP_SCREEN=${DESKTOP_SCREEN:-1280x800x24}

# wait_until SECONDS COMMAND...: polls every 50 ms.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        if ((SECONDS >= deadline)); then
            echo "timed out waiting for: $*" >&2
            return 1
        fi
        sleep 0.05
    done
}

# desktop_spawn LOGNAME COMMAND...: runs in the background, remembered for desktop_stop.
desktop_spawn() {
    local log=$DESKTOP_DIR/$1.log
    shift
    "$@" >"$log" 2>&1 &
    DESKTOP_PIDS+=($!)
}

desktop_stop() {
    local i
    for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${DESKTOP_PIDS[i]}" 2>/dev/null || true
        wait "${DESKTOP_PIDS[i]}" 2>/dev/null || true
    done
    DESKTOP_PIDS=()
    if [[ -n ${DESKTOP_BUS_PID:-} ]]; then
        kill "$DESKTOP_BUS_PID" 2>/dev/null || true
    fi
}

window_manager_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

tray_running() {
    xdotool search --onlyvisible --class trayer
}

# desktop_start DIR: DIR holds the logs and the private runtime and config folders.
desktop_start() {
    DESKTOP_DIR=$1
    mkdir -p "$DESKTOP_DIR"
    export XDG_RUNTIME_DIR=$DESKTOP_DIR/runtime XDG_CONFIG_HOME=$DESKTOP_DIR/config
    export XDG_DATA_HOME=$DESKTOP_DIR/data XDG_CACHE_HOME=$DESKTOP_DIR/cache
    mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
    unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS QT_IM_MODULE XMODIFIERS

    # -displayfd picks a free display number, so parallel runs never collide.
    local displayfile=$DESKTOP_DIR/display
    : >"$displayfile"
    Xvfb -displayfd 3 -screen 0 "$DESKTOP_SCREEN" -nolisten tcp 3>"$displayfile" \
        >"$DESKTOP_DIR/xvfb.log" 2>&1 &
    DESKTOP_PIDS+=($!)
    wait_until 10 grep -q . "$displayfile"
    export DISPLAY=:$(head -n1 "$displayfile")

    desktop_spawn openbox openbox --sm-disable
    wait_until 10 window_manager_running
}

desktop_start_tray() {
    desktop_spawn trayer trayer --edge top --align right --widthtype request --height 24 \
        --SetDockType true --SetPartialStrut true --transparent false --tint 0xdddddd
    wait_until 10 tray_running
}

# desktop_start_input_method: a private session bus and fcitx5 with pinyin switched on.
desktop_start_input_method() {
    local conf=$XDG_CONFIG_HOME/fcitx5
    mkdir -p "$conf/conf"
    cat >"$conf/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
PROFILE
    printf '[Behavior]\nActiveByDefault=True\nShareInputState=All\n' >"$conf/config"
    # One candidate per row at a known page size, so a row can be clicked by position.
    printf 'Vertical Candidate List=True\nFont="Sans 12"\n' >"$conf/conf/classicui.conf"
    printf 'PageSize=5\n' >"$conf/conf/pinyin.conf"

    local busfile=$DESKTOP_DIR/bus.address pidfile=$DESKTOP_DIR/bus.pid
    dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$busfile" 4>"$pidfile"
    DESKTOP_BUS_PID=$(cat "$pidfile")
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$busfile")

    desktop_spawn fcitx5 fcitx5 --disable=wayland,waylandim,notificationitem,kimpanel,xim,clipboard,notifications,ibusfrontend,fcitx4frontend
    wait_until 15 input_method_ready
    export QT_IM_MODULE=fcitx
}

input_method_ready() {
    [[ $(fcitx5-remote 2>/dev/null) =~ ^[12]$ ]]
}

# Prints the first visible window of CLASS whose size is WIDTHxHEIGHT.
visible_window_of_size() {
    local class=$1 size=$2 id
    for id in $(xdotool search --onlyvisible --class "$class" 2>/dev/null); do
        if [[ $(window_size "$id") == "$size" ]]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# Absolute geometry of a window as "X Y WIDTH HEIGHT".
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}

window_size() {
    local g
    read -r -a g <<<"$(window_geometry "$1")"
    echo "${g[2]}x${g[3]}"
}

# The tray icon of CLASS: its embedded window inside the tray, shown by the tray.
tray_icon_window() {
    local class=$1 id x y w h
    for id in $(xdotool search --onlyvisible --class "$class" 2>/dev/null); do
        read -r x y w h <<<"$(window_geometry "$id")"
        if ((w <= 64 && h <= 64 && y < 24)); then
            echo "$id"
            return 0
        fi
    done
    return 1
}

click_at() {
    xdotool mousemove "$1" "$2" click 1
}

click_window_centre() {
    local x y w h
    read -r x y w h <<<"$(window_geometry "$1")"
    click_at $((x + w / 2)) $((y + h / 2))
}
