#!/usr/bin/env bash
# The light look against an earlier build, pixel for pixel: both exes show the same months with the same
# memos, in one Wine environment at 96 DPI, and for each month this prints how many pixels of the calendar
# window differ and the box they lie in ("-" when none). Pictures: light-<before|after>-<year>-<month>.png
# in LUNORIA_SCREENSHOT_DIR.
#   bench/light_compare.sh BEFORE_EXE AFTER_EXE PROBE_EXE
set -uo pipefail
before=$1 after=$2
source "$(dirname "$0")/../tests/app/app_lib.sh" "$after" "$3"
source "$(dirname "$0")/../tests/app/memo_lib.sh"
out=${LUNORIA_SCREENSHOT_DIR:-$LUNORIA_WINE_ROOT}
mkdir -p "$out"
# December 2026 and January 2027 (十一月大 and 十二月小 begin in them), July 2025 (闰六月小), October 2026.
months=("2026 12" "2027 1" "2025 7" "2026 10")

shots() { # EXE NAME
    app_exe=$1
    clean_registry
    start_app || return 1
    local ym year month x y w h
    for ym in "${months[@]}"; do
        read -r year month <<<"$ym"
        probe select $((year - 1900)) $((month - 1)) >/dev/null && sleep 0.7
        read -r x y w h <<<"$(probe rect)"
        import -window root -crop "${w}x${h}+$x+$y" +repage "$out/light-$2-$year-$month.png" 2>/dev/null
    done
    end_app
}

clean_registry
start_app && end_app # the memo folder
cal=$(memo_folder)/日历
# A light fill on the 12th, a dark one on the 10th (its number turns white now), stars on 1 January.
memo_hex 10 '牙医' 20206001 12 '生日' ff808001 | xxd -r -p >"$cal/202612"
memo_hex 1 '元旦' 00000000 | xxd -r -p >"$cal/101"
shots "$before" before && shots "$after" after
for ym in "${months[@]}"; do
    read -r year month <<<"$ym"
    a=$out/light-before-$year-$month.png b=$out/light-after-$year-$month.png
    n=$(compare -metric AE "$a" "$b" null: 2>&1)
    box=$(convert "$a" "$b" -compose difference -composite -threshold 0 -trim -format '%wx%h%O' info: 2>/dev/null)
    [ "$n" = 0 ] && box=-
    echo "$year-$month: $n pixels differ, in $box"
done
rm -f "$cal/202612" "$cal/101"
end_app
