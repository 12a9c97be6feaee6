#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real app on a real X desktop: tray, window manager, pinyin input method and a loopback
# analysis service with canned answers. Each case is one function; add new ones to CASES.
#
# usage: run-e2e.sh APP TLS_DIR PORT SHOTS_DIR
set -euo pipefail

APP=$1
TLS_DIR=$2
PORT=$3
SHOTS=$4
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=desktop.sh
source "$HERE/desktop.sh"

WORK=$(mktemp -d /tmp/zorvik-e2e.XXXXXX)
ANSWER=$WORK/answer.json
REQUESTS=$WORK/requests.jsonl
APP_CLASS=zorvik-menubar
POPOVER_SIZE=420x620

# Points inside the popover, relative to its top-left corner.
MESSAGE_EDITOR=(200 116)
NOTE_EDITOR=(200 183)
START_BUTTON=(360 226)
INDUSTRY_PICKER=(370 52)
OUTSIDE=(150 600)

SHOT_NUMBER=0
shot() {
    SHOT_NUMBER=$((SHOT_NUMBER + 1))
    import -window root "$(printf '%s/%02d-%s.png' "$SHOTS" "$SHOT_NUMBER" "$1")"
}

CURRENT_CASE=setup
fail() {
    echo "FAIL in $CURRENT_CASE: $*" >&2
    shot failure || true
    exit 1
}

cleanup() {
    local status=$?
    desktop_stop
    if ((status == 0)); then
        rm -rf "$WORK"
    else
        echo "logs kept in $WORK" >&2
        cat "$WORK"/app.log >&2 || true
    fi
}
trap cleanup EXIT

# --- helpers over the app's windows -------------------------------------------------------

popover() { visible_window_of_size "$APP_CLASS" "$POPOVER_SIZE"; }
popover_closed() { ! popover; }
icon() { tray_icon_window "$APP_CLASS"; }

click_icon() { click_window_centre "$(icon)"; }

click_in_popover() {
    local x y w h
    read -r x y w h <<<"$(window_geometry "$(popover)")"
    click_at $((x + $1)) $((y + $2))
}

open_popover() {
    click_icon
    wait_until 5 popover || fail "the popover did not open"
}

close_popover() {
    click_icon
    wait_until 5 popover_closed || fail "a click on the icon did not close the popover"
}

# Prints the whole text of the editor at the given popover point, via the clipboard.
editor_text() {
    click_in_popover "$1" "$2"
    xdotool key ctrl+a ctrl+c
    sleep 0.2
    xclip -o -selection clipboard 2>/dev/null || true
}

replace_editor_text() {
    click_in_popover "$1" "$2"
    xdotool key ctrl+a Delete
    xdotool type --delay 20 "$3"
}

expect_text() {
    local what=$1 got=$2 want=$3
    [[ $got == "$want" ]] || fail "$what holds '$got', expected '$want'"
}

set_answer() {
    printf '%s\n' "$1" >"$ANSWER"
}

input_method_on() { fcitx5-remote -o; }
input_method_off() { fcitx5-remote -c; }

candidate_window() {
    xdotool search --onlyvisible --name 'Fcitx5 Input Window' 2>/dev/null | head -n1
}

# Types pinyin and waits until the candidate box shows the whole syllables, not a prefix.
type_pinyin() {
    xdotool type --delay 60 "$1"
    wait_until 5 candidate_window || fail "no candidate box appeared"
    local before="" after
    after=$(window_geometry "$(candidate_window)")
    until [[ $before == "$after" ]]; do
        before=$after
        sleep 0.4
        after=$(window_geometry "$(candidate_window)")
    done
}

# Counts strongly red pixels in a band of the popover below the start button.
red_pixels_below_button() {
    local x y w h
    read -r x y w h <<<"$(window_geometry "$(popover)")"
    import -window root -crop "${w}x40+${x}+$((y + START_BUTTON[1] + 16))" -depth 8 txt:- |
        awk -F'[(),]' 'NR > 1 && $3 > 180 && $4 < 110 && $5 < 110 {n++} END {print n + 0}'
}

# --- cases --------------------------------------------------------------------------------

# The app starts before any tray exists, as on a desktop whose panel comes up late.
case_waits_for_tray() {
    wait_until 10 grep -q 'waiting for a system tray' "$WORK/app.log" ||
        fail "no word on standard error about waiting for a tray"
    (($(wc -l <"$WORK/app.log") == 1)) || fail "more than one line on standard error"
    desktop_start_tray
}

case_icon_appears_in_tray() {
    wait_until 10 icon || fail "no tray icon appeared once the tray came up"
    local x y w h
    read -r x y w h <<<"$(window_geometry "$(icon)")"
    import -window root -crop "$((w + 8))x$((h + 4))+$((x - 4))+$((y - 2))" "$SHOTS/00-tray-icon.png"
    popover_closed || fail "the popover is open before any click"
}

case_click_opens_popover_under_icon() {
    open_popover
    local ix iy iw ih px py pw ph
    read -r ix iy iw ih <<<"$(window_geometry "$(icon)")"
    read -r px py pw ph <<<"$(window_geometry "$(popover)")"
    ((py >= iy + ih)) || fail "popover top $py is not below the icon (bottom $((iy + ih)))"
    ((py <= iy + ih + 8)) || fail "popover top $py hangs far below the icon"
    ((px <= ix && px + pw >= ix + iw)) || fail "popover $px+$pw is not under the icon at $ix"
    ((px >= 0 && px + pw <= 1280 && py + ph <= 800)) || fail "popover is not fully on screen"
    shot opened
}

case_second_click_closes_and_quick_reopen_works() {
    close_popover
    # Soon enough to arrive as a double click.
    sleep 0.1
    open_popover
}

case_click_outside_closes() {
    click_at "${OUTSIDE[@]}"
    wait_until 5 popover_closed || fail "a click outside did not close the popover"
    # Past the guard against the closing press reopening it.
    sleep 0.3
    open_popover
}

case_escape_closes() {
    xdotool key Escape
    wait_until 5 popover_closed || fail "Escape did not close the popover"
    sleep 0.3
    open_popover
}

case_typed_text_survives_reopen() {
    replace_editor_text "${MESSAGE_EDITOR[@]}" "Please send the report by Friday"
    replace_editor_text "${NOTE_EDITOR[@]}" "I need until Monday"
    shot typed
    close_popover
    open_popover
    expect_text "the message editor" "$(editor_text "${MESSAGE_EDITOR[@]}")" \
        "Please send the report by Friday"
    expect_text "the note editor" "$(editor_text "${NOTE_EDITOR[@]}")" "I need until Monday"
}

case_analysis_shows_error_line() {
    : >"$REQUESTS"
    set_answer '{"delay": 1.5, "body": {"error": "<b>服务繁忙</b>"}}'
    click_in_popover "${START_BUTTON[@]}"
    sleep 0.5
    shot running
    wait_until 10 grep -q . "$REQUESTS" || fail "no request reached the service"
    sleep 1.5
    shot error-line
    python3 - "$REQUESTS" <<'PY' || fail "the request the service saw is wrong"
import json, sys
lines = open(sys.argv[1], encoding="utf-8").read().splitlines()
assert len(lines) == 1, lines
r = json.loads(lines[0])
assert r["path"] == "/api/generate", r
assert r["contentType"].startswith("application/json"), r
b = r["body"]
assert "Please send the report by Friday" in b["message"], b
assert "I need until Monday" in b["message"], b
assert (b["myRole"], b["otherRole"], b["industry"]) == ("员工", "领导", "other"), b
PY
    (($(red_pixels_below_button) > 20)) || fail "no red error line under the start button"
}

case_closed_while_running_shows_outcome_on_reopen() {
    set_answer '{"delay": 1.5, "body": {"error": "稍后再试"}}'
    click_in_popover "${START_BUTTON[@]}"
    sleep 0.3
    close_popover
    sleep 2
    open_popover
    shot outcome-after-reopen
    (($(red_pixels_below_button) > 20)) || fail "the outcome did not reach the closed panel"
}

# A visible window of the app that is neither the popover nor the tray icon: the picker's list.
picker_list() {
    local id size
    for id in $(xdotool search --onlyvisible --class "$APP_CLASS" 2>/dev/null); do
        size=$(window_size "$id")
        if [[ $size != "$POPOVER_SIZE" && $id != "$(icon)" ]]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
picker_list_closed() { ! picker_list; }

# The picker's list is a popup of its own; it must not count as the popover losing activation.
case_industry_picker_keeps_popover_open() {
    click_in_popover "${INDUSTRY_PICKER[@]}"
    wait_until 5 picker_list || fail "the industry picker did not open its list"
    popover >/dev/null || fail "opening the industry picker closed the popover"
    shot picker-open
    # 私企 is chosen; the one above it is 大厂.
    xdotool key Up Return
    wait_until 5 picker_list_closed || fail "the industry picker's list stayed open"
    popover >/dev/null || fail "choosing an industry closed the popover"
    : >"$REQUESTS"
    set_answer '{"body": {}}'
    click_in_popover "${START_BUTTON[@]}"
    wait_until 10 grep -q . "$REQUESTS" || fail "no request reached the service"
    python3 -c 'import json, sys; b = json.loads(open(sys.argv[1]).readline())["body"]
assert b["industry"] == "tech", b' "$REQUESTS" || fail "the picker did not store 大厂 as tech"
}

case_pinyin_space_commits() {
    replace_editor_text "${MESSAGE_EDITOR[@]}" ""
    input_method_on
    type_pinyin nihao
    # Qt once placed the box as if the popover sat at (0,0); it must hang under the editor.
    local cx cy cw ch px py pw ph
    read -r cx cy cw ch <<<"$(window_geometry "$(candidate_window)")"
    read -r px py pw ph <<<"$(window_geometry "$(popover)")"
    ((cx >= px && cx < px + pw / 2 && cy > py && cy < py + MESSAGE_EDITOR[1] + 60)) ||
        fail "candidate box at $cx,$cy is not under the message editor (popover $px,$py)"
    shot pinyin-candidates
    xdotool key space
    sleep 0.3
    input_method_off
    expect_text "the message editor" "$(editor_text "${MESSAGE_EDITOR[@]}")" "你好"
}

case_pinyin_candidate_click_commits() {
    click_in_popover "${MESSAGE_EDITOR[@]}"
    xdotool key ctrl+End
    input_method_on
    type_pinyin nihao
    local cx cy cw ch
    read -r cx cy cw ch <<<"$(window_geometry "$(candidate_window)")"
    # Second of five rows.
    click_at $((cx + cw / 2)) $((cy + ch * 3 / 10))
    sleep 0.5
    popover >/dev/null || fail "clicking a candidate closed the popover"
    # Whatever of the syllables the candidate left still composing is committed too.
    xdotool key space
    sleep 0.3
    input_method_off
    shot pinyin-candidate-clicked
    local text
    text=$(editor_text "${MESSAGE_EDITOR[@]}")
    [[ $text == 你好?* && ! $text =~ [a-zA-Z] ]] ||
        fail "after the candidate click the editor holds '$text'"
}

# Centres of the orange copy pills in the popover's right-hand strip, top to bottom.
copy_pills() {
    local x y w h
    read -r x y w h <<<"$(window_geometry "$(popover)")"
    import -window root -crop "${w}x${h}+${x}+${y}" -depth 8 ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
parts = data.split(maxsplit=4)
w, h, pixels = int(parts[1]), int(parts[2]), parts[4]
rows = []
for y in range(h):
    xs = [x for x in range(w * 2 // 3, w)
          if abs(pixels[3 * (y * w + x)] - 255) < 12 and abs(pixels[3 * (y * w + x) + 1] - 150) < 20
          and pixels[3 * (y * w + x) + 2] < 40]
    if len(xs) > 10:
        rows.append((y, (min(xs) + max(xs)) // 2))
clusters = []
for y, cx in rows:
    if clusters and y - clusters[-1][-1][0] <= 1:
        clusters[-1].append((y, cx))
    else:
        clusters.append([(y, cx)])
for c in clusters:
    if len(c) >= 6:
        print(c[len(c) // 2][1], (c[0][0] + c[-1][0]) // 2)
'
}
some_pill() { (($(copy_pills | wc -l) > 0)); }
pill_count_is() { (($(copy_pills | wc -l) == $1)); }

case_result_cards_and_copy_of_reply_b() {
    local result
    result=$(printf '%s\n' '· 潜台词：他其实在催你给出准确时间' '· 类型：结果导向型' \
        '· 底层逻辑：只关心事情能否按时完成' \
        'A【稳妥型】：收到，今天下班前给您确切时间 → 先表态再争取时间' \
        'B【坦诚型】：目前卡在测试环节，预计周四完成' \
        'C【主动型】：我先把已完成的部分发您过目 → 用进度换信任' '📖 职场秘籍')$'\n''先给结论，再给理由。'
    set_answer "$(python3 -c 'import json, sys; print(json.dumps({"body": {"result": sys.argv[1]}}, ensure_ascii=False))' "$result")"
    printf 'stale' | xclip -selection clipboard
    click_in_popover "${START_BUTTON[@]}"
    wait_until 10 some_pill || fail "no reply card showed"
    sleep 0.3
    shot results
    # At the bottom the last pill is C's, so B's is the one before it.
    local px py pw ph
    read -r px py pw ph <<<"$(window_geometry "$(popover)")"
    xdotool mousemove $((px + pw / 2)) $((py + ph - 80)) click --repeat 15 --delay 30 5
    sleep 0.5
    shot results-scrolled
    local pills bx by
    pills=$(copy_pills | wc -l)
    ((pills >= 2)) || fail "reply B's copy button is not on screen with C's"
    read -r bx by <<<"$(copy_pills | tail -n 2 | head -n 1)"
    click_in_popover "$bx" "$by"
    sleep 0.3
    shot reply-b-copied
    pill_count_is $((pills - 1)) || fail "the pressed pill did not turn green"
    expect_text "the clipboard" "$(xclip -o -selection clipboard)" "目前卡在测试环节，预计周四完成"
    wait_until 5 pill_count_is "$pills" || fail "the copy pill did not turn orange again"
}

CASES=(
    case_waits_for_tray
    case_icon_appears_in_tray
    case_click_opens_popover_under_icon
    case_second_click_closes_and_quick_reopen_works
    case_click_outside_closes
    case_escape_closes
    case_typed_text_survives_reopen
    case_analysis_shows_error_line
    case_closed_while_running_shows_outcome_on_reopen
    case_industry_picker_keeps_popover_open
    case_pinyin_space_commits
    case_pinyin_candidate_click_commits
    case_result_cards_and_copy_of_reply_b
)

# --- run ----------------------------------------------------------------------------------

mkdir -p "$SHOTS"
rm -f "$SHOTS"/*.png
desktop_start "$WORK"
desktop_start_input_method
input_method_off

set_answer '{"body": {}}'
: >"$REQUESTS"
desktop_spawn service python3 "$HERE/canned_service.py" --port "$PORT" \
    --cert "$TLS_DIR/server.pem" --key "$TLS_DIR/server.key" --answer "$ANSWER" --log "$REQUESTS"
wait_until 10 grep -q ready "$WORK/service.log" || fail "the canned service did not start"

desktop_spawn app env LANG=C.UTF-8 "$APP"

for case_name in "${CASES[@]}"; do
    echo "-- $case_name"
    CURRENT_CASE=$case_name
    "$case_name"
done
echo "all ${#CASES[@]} cases passed; screenshots in $SHOTS"
