#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up until the icon is in the tray, tray click until the popover is up, idle CPU and
# resident memory of the app beside a minimal Qt tray program, on one private Xvfb desktop.
#
# usage: tray-bench.sh APP BASELINE [RUNS]
set -euo pipefail

APP=$1
BASELINE=$2
RUNS=${3:-5}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../tests/e2e/desktop.sh
source "$ROOT/tests/e2e/desktop.sh"

WORK=$(mktemp -d /tmp/zorvik-tray-bench.XXXXXX)
trap 'desktop_stop; rm -rf "$WORK"' EXIT
desktop_start "$WORK"
desktop_start_tray

now_ms() { echo $(($(date +%s%N) / 1000000)); }

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# start_and_time PROGRAM CLASS: sets STARTUP and OPEN (ms) and PID; leaves the program running.
start_and_time() {
    local program=$1 class=$2 t0 t1 icon
    t0=$(now_ms)
    LANG=C.UTF-8 "$program" >"$WORK/$class.log" 2>&1 &
    PID=$!
    wait_until 20 tray_icon_window "$class"
    t1=$(now_ms)
    STARTUP=$((t1 - t0))
    icon=$(tray_icon_window "$class")
    # Let the tray finish embedding before the click, as a person would.
    sleep 0.5
    t0=$(now_ms)
    click_window_centre "$icon"
    wait_until 10 visible_window_of_size "$class" 420x620
    t1=$(now_ms)
    OPEN=$((t1 - t0))
}

not_visible() { ! visible_window_of_size "$1" 420x620; }

stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

# measure PROGRAM CLASS: prints "startup_ms open_ms idle_cpu_percent rss_kib" (medians).
measure() {
    local program=$1 class=$2 i pid ticks0 ticks1 idle rss
    : >"$WORK/startup" && : >"$WORK/open"
    for ((i = 0; i < RUNS; i++)); do
        start_and_time "$program" "$class"
        pid=$PID
        echo "$STARTUP" >>"$WORK/startup"
        echo "$OPEN" >>"$WORK/open"
        if ((i < RUNS - 1)); then
            stop "$pid"
        fi
    done
    # The last run stays up: memory once the popover has been drawn, then idle with it closed,
    # as an app in the tray spends most of its life.
    rss=$(rss_kib "$pid")
    click_window_centre "$(tray_icon_window "$class")"
    wait_until 5 not_visible "$class" || true
    sleep 1
    ticks0=$(cpu_ticks "$pid")
    sleep 10
    ticks1=$(cpu_ticks "$pid")
    idle=$(awk -v t=$((ticks1 - ticks0)) -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.2f", 100 * t / hz / 10}')
    stop "$pid"
    echo "$(median <"$WORK/startup") $(median <"$WORK/open") $idle $rss"
}

measure "$BASELINE" bench-tray-baseline >"$WORK/baseline"
measure "$APP" zorvik-menubar >"$WORK/app"
read -r base_start base_open base_idle base_rss <"$WORK/baseline"
read -r app_start app_open app_idle app_rss <"$WORK/app"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "-"}'; }

printf '%-28s %12s %12s %8s\n' "median of $RUNS runs" app baseline ratio
printf '%-28s %12s %12s %8s\n' "start-up to tray icon (ms)" "$app_start" "$base_start" "$(ratio "$app_start" "$base_start")"
printf '%-28s %12s %12s %8s\n' "click to popover (ms)" "$app_open" "$base_open" "$(ratio "$app_open" "$base_open")"
printf '%-28s %12s %12s %8s\n' "idle CPU over 10 s (%)" "$app_idle" "$base_idle" "-"
printf '%-28s %12s %12s %8s\n' "resident memory (KiB)" "$app_rss" "$base_rss" "$(ratio "$app_rss" "$base_rss")"
