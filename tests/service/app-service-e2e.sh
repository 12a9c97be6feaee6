#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real app on a private X desktop against the real analysis service, which asks a fake
# model server: from typing a message and pressing 开始分析 to the cards of the analysis.
#
# usage: app-service-e2e.sh APP SERVICE TLS_DIR PORT SHOTS_DIR
set -euo pipefail

APP=$1
SERVICE=$2
TLS_DIR=$3
PORT=$4
SHOTS=$5
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../e2e/desktop.sh
source "$HERE/../e2e/desktop.sh"

WORK=$(mktemp -d /tmp/zorvik-app-service.XXXXXX)
UPSTREAM_PORT=$((PORT + 1))
APP_CLASS=zorvik-menubar

cleanup() {
    local status=$?
    desktop_stop
    if ((status == 0)); then
        rm -rf "$WORK"
    else
        echo "logs kept in $WORK" >&2
        cat "$WORK"/service.log "$WORK"/app.log >&2 || true
    fi
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    import -window root "$SHOTS/app-service-failure.png" || true
    exit 1
}

popover() { visible_window_of_size "$APP_CLASS" 420x620; }
icon() { tray_icon_window "$APP_CLASS"; }

# Pixels in the results area that differ clearly from the panel's background.
results_pixels() {
    local x y w h
    read -r x y w h <<<"$(window_geometry "$(popover)")"
    import -window root -crop "$((w - 40))x300+$((x + 10))+$((y + 265))" -depth 8 txt:- |
        awk -F'[(),]' 'NR == 2 {r = $3; g = $4; b = $5}
            NR > 1 {d = ($3 - r) ^ 2 + ($4 - g) ^ 2 + ($5 - b) ^ 2; if (d > 100) n++}
            END {print n + 0}'
}

mkdir -p "$SHOTS"
desktop_start "$WORK"
desktop_start_tray
: >"$WORK/upstream-requests"
desktop_spawn upstream python3 "$HERE/fake_upstream.py" --port "$UPSTREAM_PORT" \
    --log "$WORK/upstream-requests"
wait_until 10 grep -q ready "$WORK/upstream.log" || fail "the fake model server did not start"
desktop_spawn service env ZORVIK_PORT="$PORT" ZORVIK_TLS_CERT="$TLS_DIR/server.pem" \
    ZORVIK_TLS_KEY="$TLS_DIR/server.key" ZORVIK_UPSTREAM_URL="http://127.0.0.1:$UPSTREAM_PORT/v1" \
    "$SERVICE"
wait_until 10 grep -q listening "$WORK/service.log" || fail "the analysis service did not start"
desktop_spawn app env LANG=C.UTF-8 "$APP"

wait_until 10 icon || fail "no tray icon"
click_window_centre "$(icon)"
wait_until 5 popover || fail "the popover did not open"
read -r px py pw ph <<<"$(window_geometry "$(popover)")"
before=$(results_pixels)
click_at $((px + 200)) $((py + 116))
xdotool type --delay 20 "Please send the report by Friday"
click_at $((px + 360)) $((py + 226))

wait_until 15 grep -q 'status=200' "$WORK/service.log" || fail "the service answered no analysis"
sleep 1
import -window root -crop "${pw}x${ph}+${px}+${py}" "$SHOTS/app-service-results.png"
(($(wc -l <"$WORK/upstream-requests") == 1)) || fail "the model server saw no single request"
after=$(results_pixels)
((after > before + 5000)) || fail "no cards appeared under the start button ($before -> $after)"
echo "analysis cards shown ($before -> $after differing pixels); screenshot in $SHOTS/app-service-results.png"
