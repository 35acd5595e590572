#!/usr/bin/env bash
# The calendar at 100, 125, 150 and 200 % display scale (96, 120, 144 and 192 DPI), each in a fresh
# Wine prefix on a large virtual screen: the window's scaled size, no overlapping controls, real
# clicks on a scaled day and the scaled header, every dialog's controls inside it, the tab's scaled
# place; at 96 DPI also a DPI change as Windows sends it when the window moves to a 150 % monitor.
# A picture at 192 DPI, halved, must look like the one at 96 DPI.
#   scales.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != --at ]; then
    # Each scale in a process of its own, with a Wine environment of its own (app_lib.sh makes one
    # when none is set). The 64-bit-only path, when chosen, stays chosen.
    shots=${LUNORIA_SCREENSHOT_DIR:-${TMPDIR:-/tmp}}
    mkdir -p "$shots"
    failed=0
    for dpi in 96 120 144 192; do
        env -u WINEPREFIX -u DISPLAY -u LUNORIA_WINE_ROOT LUNORIA_SCREENSHOT_DIR="$shots" \
            LUNORIA_SCREEN=1600x1200x24 LUNORIA_SCALES_MODE="${LUNORIA_WINE_MODE:-}" \
            bash "$0" --at "$dpi" "$@" || failed=$((failed + 1))
    done
    # Alike: the normalised cross-correlation after a 1.5-pixel blur, which takes away the glyphs'
    # hinting and anti-aliasing. The same picture scores 1; this one scores about 0.98 here, one with
    # its parts 4 pixels out of place 0.92, the unscaled calendar of before at 192 DPI 0.79.
    if [ -f "$shots/scale-96.png" ] && [ -f "$shots/scale-192.png" ]; then
        convert "$shots/scale-96.png" -blur 0x1.5 "$shots/scale-96-blur.png"
        convert "$shots/scale-192.png" -resize 50% -blur 0x1.5 "$shots/scale-192-half-blur.png"
        ncc=$(compare -metric NCC "$shots/scale-96-blur.png" "$shots/scale-192-half-blur.png" null: 2>&1)
        echo "192 DPI halved against 96 DPI: NCC $ncc (at least 0.95)"
        awk -v n="$ncc" 'BEGIN { exit !(n >= 0.95) }' || { echo "FAIL: 192 DPI does not look like 96 DPI"; failed=$((failed + 1)); }
    else
        echo "FAIL: no pictures to compare"
        failed=$((failed + 1))
    fi
    [ "$failed" -eq 0 ] && echo "all scales passed" || echo "$failed scale check(s) failed"
    exit $((failed > 0))
fi

dpi=$2
shift 2
mode=$LUNORIA_SCALES_MODE
if [ "$mode" = win64 ]; then
    source "$here/../../tools/wine-env.sh"
    wine_env_start win64 || { echo "could not set up Wine"; exit 1; }
fi
source "$here/app_lib.sh"
source "$here/memo_lib.sh"
echo "== $dpi DPI"

S() { echo $((($1 * dpi + 48) / 96)); } # a 96-DPI value in this scale's pixels, as MulDiv rounds
near() {                                  # what expected actual: within one pixel
    [ $(($2 - $3)) -le 1 ] && [ $(($3 - $2)) -le 1 ] && echo "ok: $1 ($3)" || fail "$1: expected $2 ±1, got $3"
}
no_overlaps() {
    local overlaps
    overlaps=$(probe overlaps)
    [ -z "$overlaps" ] && echo "ok: no controls overlap $1" || fail "overlapping controls $1: $overlaps"
}
all_inside() {  # TITLE|@NAME
    local out
    out=$(probe inside "$1")
    grep -q ' children$' <<<"$out" && ! grep -q outside <<<"$out" && echo "ok: every control inside $1" ||
        fail "controls outside $1: $out"
}

timeout -k 5 30 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
timeout -k 2 10 wineserver -k
timeout -k 2 10 wineserver -w
timeout -k 5 10 wineserver -p >/dev/null 2>&1
clean_registry
reg_set "$settings_key" PosX 20
reg_set "$settings_key" PosY 20
start_app || finish
probe select 106 0 # January 2006: the 1st is a Sunday, the 15th starts row 2
set -- $(probe rect)
x0=$1 y0=$2
near "width" "$(S 363)" "$3"
near "height" "$(S 278)" "$4"
no_overlaps "at $dpi DPI"
set -- $(probe companion notetab)
near "本 tab left" "$((x0 + $(S 363) + $(S 10)))" "$1"
near "本 tab top" "$((y0 + $(S 278) - $(S 18)))" "$2"
near "本 tab width" "$(S 26)" "$3"
near "本 tab height" "$(S 18)" "$4"
sleep 1
screenshot "scale-$dpi-screen" >/dev/null
convert "$LUNORIA_SCREENSHOT_DIR/scale-$dpi-screen.png" -crop "$(S 363)x$(S 278)+$x0+$y0" +repage \
    "$LUNORIA_SCREENSHOT_DIR/scale-$dpi.png"

# click_day DPI DAY-COLUMN DAY-ROW: a real click in the middle of a day cell of that scale.
click_day() {
    local at=$1
    xdotool mousemove $((x0 + ($2 * at + 48) / 96)) $((y0 + ($3 * at + 48) / 96)) click 1
}
editor_for_15th() {
    wait_for 10 window_shown "^$editor\$" || { fail "no memo editor $1"; return 1; }
    sleep 0.3
    local line
    line=$(probe text 1032 "$editor")
    [[ $line == 2006年1月15日* ]] && echo "ok: the editor of the 15th $1" || fail "editor $1 for '$line'"
}
echo "-- the 15th and the Wednesday header"
click_day "$dpi" 26 $((22 + 20 + 33 * 2 + 16)) # column 0, row 2: grid top 22, header 20
if editor_for_15th "at $dpi DPI"; then
    all_inside "$editor"
    click_item 2 "$editor"
    wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after 取消"
fi
click_day "$dpi" $((3 * 52 + 26)) $((22 + 10))
if wait_for 10 window_shown "^$weekly\$"; then
    sleep 0.3
    probe texts "$weekly" | grep -qx '每周三' && echo "ok: the Wednesday reminder" || fail "not the Wednesday reminder"
    all_inside "$weekly"
    click_item 2 "$weekly"
    wait_for 10 window_gone "^$weekly\$" || fail "the reminder stayed after 取消"
else
    fail "no weekly reminder"
fi

echo "-- the exit dialog and the notepad"
if open_exit_dialog; then
    all_inside '提示'
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^提示$' | head -1)" key Escape
    wait_for 10 window_gone '^提示$' || fail "the exit dialog stayed after Esc"
else
    fail "no exit dialog"
fi
notepad_shown() { set -- $(probe companion notepad) && [ "${5:-0}" = 1 ]; }
click_item 1000 @notetab
wait_for 10 notepad_shown || fail "the notepad did not show"
all_inside @notepad

if [ "$dpi" = 96 ]; then
    echo "-- moved to a 150 % monitor: WM_DPICHANGED from 96 to 144 DPI"
    probe dpichange 144 40 30
    sleep 1
    set -- $(probe rect)
    check_eq "corner as suggested" "40 30" "$1 $2"
    near "width at 144" 545 "$3"
    near "height at 144" 417 "$4"
    x0=$1 y0=$2
    no_overlaps "after the change"
    screenshot "scale-96-to-144" >/dev/null
    click_day 144 26 $((22 + 20 + 33 * 2 + 16))
    if editor_for_15th "after the change"; then
        click_item 2 "$editor"
        wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after 取消"
    fi
fi
finish
