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

# timed_run PROGRAM CLASS: one start and one open, appended to CLASS.startup and CLASS.open.
timed_run() {
    start_and_time "$1" "$2"
    echo "$STARTUP" >>"$WORK/$2.startup"
    echo "$OPEN" >>"$WORK/$2.open"
    stop "$PID"
}

# steady PROGRAM CLASS: prints "rss_kib idle_cpu_percent": memory once the popover has been
# drawn, then idle with it closed, as an app in the tray spends most of its life.
steady() {
    local ticks0 ticks1 rss
    start_and_time "$1" "$2"
    rss=$(rss_kib "$PID")
    click_window_centre "$(tray_icon_window "$2")"
    wait_until 5 not_visible "$2" || true
    sleep 1
    ticks0=$(cpu_ticks "$PID")
    sleep 10
    ticks1=$(cpu_ticks "$PID")
    stop "$PID"
    awk -v r="$rss" -v t=$((ticks1 - ticks0)) -v hz="$(getconf CLK_TCK)" \
        'BEGIN {printf "%d %.2f\n", r, 100 * t / hz / 10}'
}

# Alternating runs, so a change in the machine's load weighs on both programs alike.
for ((i = 0; i < RUNS; i++)); do
    timed_run "$BASELINE" bench-tray-baseline
    timed_run "$APP" zorvik-menubar
done
base_start=$(median <"$WORK/bench-tray-baseline.startup")
base_open=$(median <"$WORK/bench-tray-baseline.open")
app_start=$(median <"$WORK/zorvik-menubar.startup")
app_open=$(median <"$WORK/zorvik-menubar.open")
steady "$BASELINE" bench-tray-baseline >"$WORK/baseline"
steady "$APP" zorvik-menubar >"$WORK/app"
read -r base_rss base_idle <"$WORK/baseline"
read -r app_rss app_idle <"$WORK/app"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "-"}'; }

printf '%-28s %12s %12s %8s\n' "median of $RUNS runs" app baseline ratio
printf '%-28s %12s %12s %8s\n' "start-up to tray icon (ms)" "$app_start" "$base_start" "$(ratio "$app_start" "$base_start")"
printf '%-28s %12s %12s %8s\n' "click to popover (ms)" "$app_open" "$base_open" "$(ratio "$app_open" "$base_open")"
printf '%-28s %12s %12s %8s\n' "idle CPU over 10 s (%)" "$app_idle" "$base_idle" "-"
printf '%-28s %12s %12s %8s\n' "resident memory (KiB)" "$app_rss" "$base_rss" "$(ratio "$app_rss" "$base_rss")"
