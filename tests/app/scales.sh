#!/usr/bin/env bash
# The calendar at 96, 120, 144 and 192 DPI, each in a fresh Wine prefix on a large screen: its scaled
# size, no overlapping controls, real clicks on a scaled day and header, every dialog's controls
# inside it (设置 too), the tab's scaled place; at 96 DPI a WM_DPICHANGED to 144; 192 halved looks like 96.
#   scales.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --at ]; then
    shots=${LUNORIA_SCREENSHOT_DIR:-${TMPDIR:-/tmp}}
    failed=0
    for dpi in 96 120 144 192; do # a process and a Wine environment each; the Wine mode stays
        env -u WINEPREFIX -u DISPLAY -u LUNORIA_WINE_ROOT LUNORIA_SCREENSHOT_DIR="$shots" LUNORIA_SCREEN=1600x1200x24 \
            bash "$0" --at "$dpi" "${LUNORIA_WINE_MODE:-}" "$@" || failed=$((failed + 1))
    done
    # Alike: the cross-correlation after a 1.5-pixel blur (which evens out glyph hinting). It is about
    # 0.98 here; parts 4 pixels out of place give 0.92, the unscaled calendar of before at 192 DPI 0.79.
    convert "$shots/scale-96.png" -blur 0x1.5 "$shots/blur-96.png" &&
        convert "$shots/scale-192.png" -resize 50% -blur 0x1.5 "$shots/blur-192-half.png" &&
        ncc=$(compare -metric NCC "$shots/blur-96.png" "$shots/blur-192-half.png" null: 2>&1)
    echo "192 DPI halved against 96 DPI: NCC ${ncc:-none} (at least 0.95)"
    awk -v n="${ncc:-0}" 'BEGIN { exit !(n >= 0.95) }' || failed=$((failed + 1))
    echo "$failed failure(s)"
    exit $((failed > 0))
fi
dpi=$2 mode=$3
shift 3
if [ "$mode" = win64 ]; then source "$here/../../tools/wine-env.sh" && wine_env_start win64 || exit 1; fi
source "$here/app_lib.sh"
source "$here/memo_lib.sh"
echo "== $dpi DPI"
S() { echo $((($1 * dpi + 48) / 96)); } # as MulDiv rounds
near() { # what "expected..." "actual...": each within one pixel
    local e=($2) a=($3) i
    for i in "${!e[@]}"; do
        [ $((a[i] - e[i])) -le 1 ] && [ $((e[i] - a[i])) -le 1 ] || { fail "$1: expected $2 ±1, got $3"; return; }
    done
    echo "ok: $1 ($3)"
}
check_layout() {
    local at=$1
    set -- $(probe rect)
    x0=$1 y0=$2
    near "$at: calendar size" "$(S 363) $(S 278)" "$3 $4"
    local overlaps
    overlaps=$(probe overlaps)
    [ -z "$overlaps" ] && echo "ok: no controls overlap" || fail "overlapping controls: $overlaps"
}
all_inside() {
    local out
    out=$(probe inside "$1") && ! grep -q outside <<<"$out" && echo "ok: inside $1" || fail "controls outside $1: $out"
    out=$(probe overlaps "$1") && [ -z "$out" ] || fail "overlapping controls in $1: $out"
}
click_at() { xdotool mousemove $((x0 + ($2 * $1 + 48) / 96)) $((y0 + ($3 * $1 + 48) / 96)) click 1; } # DPI X96 Y96
# dialog_at DPI X96 Y96 TITLE TEXT: a real click there opens TITLE holding a text that starts with
# TEXT, with every control inside it; 取消 closes it.
dialog_at() {
    click_at "$1" "$2" "$3"
    wait_for 10 window_shown "^$4\$" && sleep 0.3 && probe texts "$4" | grep -q "^$5" && echo "ok: $4 $5 at $1" ||
        fail "no $4 $5 at $1"
    all_inside "$4"
    click_item 2 "$4" && wait_for 10 window_gone "^$4\$" || fail "$4 stayed"
}
day_15() { dialog_at "$1" 26 $((22 + 20 + 33 * 2 + 16)) "$editor" 2006年1月15日; } # January 2006: row 2, column 0

set_dpi "$dpi"
reg_set "$settings_key" PosX 20
reg_set "$settings_key" PosY 20
start_app || finish
probe select 106 0
check_layout "$dpi"
near "本 tab" "$((x0 + $(S 373))) $((y0 + $(S 260))) $(S 26) $(S 18)" "$(probe companion notetab | cut -d' ' -f1-4)"
sleep 1
screenshot "scale-$dpi-screen" >/dev/null
convert "$LUNORIA_SCREENSHOT_DIR/scale-$dpi-screen.png" -crop "$(S 363)x$(S 278)+$x0+$y0" +repage \
    "$LUNORIA_SCREENSHOT_DIR/scale-$dpi.png"
day_15 "$dpi"
dialog_at "$dpi" $((3 * 52 + 26)) $((22 + 10)) "$weekly" 每周三 # the Wednesday header
open_exit_dialog && all_inside '提示' || fail "no exit dialog"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^提示$' | head -1)" key Escape
open_settings && all_inside '设置' && screenshot "settings-$dpi" >/dev/null || fail "no 设置 dialog"
click_item 2 '设置' && wait_for 10 window_gone '^设置$' || fail "设置 stayed"
notepad_shown() { set -- $(probe companion notepad) && [ "${5:-0}" = 1 ]; }
click_item 1000 @notetab && wait_for 10 notepad_shown && all_inside @notepad || fail "no notepad"
if [ "$dpi" = 96 ]; then
    echo "-- moved to a 150 % monitor"
    probe dpichange 144 40 30
    sleep 1
    dpi=144 check_layout "after WM_DPICHANGED"
    check_eq "the suggested corner" "40 30" "$x0 $y0"
    screenshot "scale-96-to-144" >/dev/null
    day_15 144
fi
finish
