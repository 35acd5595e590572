#!/usr/bin/env bash
# 休 and 班 counted on screenshots: built in (October 2026), from a 2027 line of the user's 节假日.txt
# without a restart, and none with ShowHolidays "0". holidays.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"

rest='#DC0000' work='#505050' # the marks' colours

# show YEAR MONTH: picks the month in the lists, as a user does.
show() {
    probe select $(($1 - 1900)) $(($2 - 1)) >/dev/null
    sleep 0.5
    check_eq "shows $1-$2" "$1 $2" "$(probe month)"
}
# ink COLOUR [YEAR MONTH DAY]: pixels of COLOUR on screen in the day's mark box, or in the whole grid.
ink() {
    local shot=$LUNORIA_WINE_ROOT/holidays.png x y w=363 h=236 row
    read -r x y _ <<<"$(probe rect)"
    y=$((y + 22)) # the grid's top in the window
    if [ $# -eq 4 ]; then
        row=$((($(date -d "$2-$3-01" +%w) + $4 - 1) / 7))
        x=$((x + 52 * $(date -d "$2-$3-$4" +%w) + 38)) y=$((y + 21 + 33 * row + 1)) w=12 h=12
    fi
    import -window root "$shot" 2>/dev/null
    convert "$shot" -crop "${w}x$h+$x+$y" txt:- | grep -ci "$1"
}
# marked COLOUR YEAR MONTH DAY: the day shows its mark.
marked() { [ "$(ink "$@")" -gt 15 ] && echo "ok: $2-$3-$4 marked" || fail "no mark on $2-$3-$4"; }

clean_registry
start_app
show 2026 10
marked $rest 2026 10 1
marked $work 2026 10 10
screenshot holidays-2026-10

# 2027 from the user's list, read when the month is shown again, over the law's days.
show 2027 1
marked $rest 2027 1 1 # the law's 元旦, without any 班
check_eq "no 班 in January 2027 without a list" "0" "$(ink $work)"
# Code page 936: 休 D0 DD, 元旦 D4 AA B5 A9, 班 B0 E0.
printf '# 2027\r\n2027-01-01 \xD0\xDD \xD4\xAA\xB5\xA9\r\n2027-01-04 \xB0\xE0\r\nbad line\r\n' >"$(memo_folder)/节假日.txt"
click_item 1045
click_item 1044
marked $rest 2027 1 1
marked $work 2027 1 4
screenshot holidays-2027-01

end_app
reg_set "$settings_key" ShowHolidays 0
start_app
for ym in "2026 10" "2027 1" "2026 2"; do
    show $ym
    check_eq "no mark in $ym" "0 0" "$(ink $rest) $(ink $work)"
done
screenshot holidays-off-2026-02
finish
