#!/usr/bin/env bash
# A user's whole day with the calendar, in one fresh prefix, checking files and registry after every
# step and keeping a screenshot of each: first start, navigation, memos of all four kinds read back
# by hovering, the notepad shown, typed in, hidden and shown, midnight on a faked clock (64-bit build;
# LUNORIA_DAY_MIDNIGHT=1), exit and restart with everything kept, a second copy refused, uninstall,
# and a manual start that registers autostart again.
#   day.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/memo_lib.sh"
source "$(dirname "$0")/notepad_lib.sh"

win_path=$(timeout -k 5 30 winepath -w "$app_exe" 2>/dev/null | tr -d '\r')
# Every memo file of the day's memos and the notepad's page, as hex: what must survive the restart.
memo_files() {
    for f in 200601 101 001 week; do echo "$f $(file_hex "$cal/$f")"; done
    echo "page $(file_hex "$(page)")"
}

echo "== 1. first start, empty registry, no memo folder"
# The run's other scripts share this prefix: the day starts from nothing the program keeps.
clean_registry
[ -n "$(memo_folder)" ] && rm -rf "$(memo_folder)"
start_app
check_eq "window at the default place" "500 300 363 278" "$(probe rect)"
check_eq "autostart value" "\"$win_path\"" "$(reg_get "$run_key" Lunoria)"
check_eq "no position stored yet; MemoShow" " 0" "$(reg_get "$settings_key" PosX) $(reg_get "$settings_key" MemoShow)"
folder=$(memo_folder)
cal="$folder/日历"
[ -d "$cal" ] && [ -d "$folder/备忘" ] && echo "ok: memo folder $folder" || fail "memo folders missing: '$folder'"
check_eq "本 tab shown, notepad hidden" "1 0" "$(at notetab 5) $(at notepad 5)"
screenshot day-1-first-start

echo "== 2. navigation by links and lists, then 返回"
today="$(date +%Y) $((10#$(date +%m)))"
check_eq "today's month" "$today" "$(probe month)"
click_item 1045
check_eq "下月" "$(month_after $today 1)" "$(probe month)"
item_shown 105 && echo "ok: 返回 shown away from today" || fail "返回 hidden away from today"
probe select 106 0
check_eq "January 2006 from the lists" "2006 1" "$(probe month)"
click_item 1044
check_eq "上月" "2005 12" "$(probe month)"
screenshot day-2-december-2005
click_item 105
check_eq "返回" "$today" "$(probe month)"
item_shown 105 && fail "返回 still shown on today's month"
check_eq "nothing stored by navigating" "" "$(reg_get "$settings_key" PosX)"

echo "== 3. memos of all four kinds, with colours"
probe select 106 0
read -r x0 y0 _ <<<"$(probe rect)"
# 1 January 2006 is a Sunday: day 29 (正月初一) starts row 4; day 25 is the Wednesday of row 3.
d29x=10 d29y=$((20 + 33 * 4 + 10))
d25x=$((52 * 3 + 10)) d25y=$((20 + 33 * 3 + 10))
open_day $d29x $d29y
type_into "$editor" 1029 'dentist 9:30'
click_item 1049 "$editor"
choose_colour
type_into "$editor" 1030 'birthday'
type_into "$editor" 1031 'new year'
click_item 1051 "$editor"
choose_colour
screenshot day-3-memo-editor
click_item 1 "$editor"
wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after 确定"
check_eq "one-time memo, coloured" "$(memo_hex 29 'dentist 9:30' ff808001)" "$(file_hex "$cal/200601")"
check_eq "every year, Gregorian" "$(memo_hex 29 'birthday' 00000000)" "$(file_hex "$cal/101")"
check_eq "every year, lunar, coloured" "$(memo_hex 1 'new year' ff808001)" "$(file_hex "$cal/001")"
xdotool mousemove $((x0 + 52 * 3 + 20)) $((y0 + 22 + 8)) click 1
wait_for 10 window_shown "^$weekly\$" || fail "no weekly reminder"
type_into "$weekly" 1049 'team 10:00'
click_item 1056 "$weekly"
choose_colour
click_item 1 "$weekly"
wait_for 10 window_gone "^$weekly\$" || fail "the weekly reminder stayed after 确定"
check_eq "weekly, coloured" "$(memo_hex 3 'team 10:00' ff808001)" "$(file_hex "$cal/week")"
hover $d29x $d29y
wait_for 5 tip_shown || fail "no tip over day 29"
read -r _ _ _ _ tip_height <<<"$(probe tip)"
[ "${tip_height:-0}" -ge 40 ] && echo "ok: the tip over day 29 holds three memos" ||
    fail "tip height '${tip_height:-}' for three memos"
screenshot day-3-tip-day-29
hover $d25x $d25y
wait_for 5 tip_shown && echo "ok: the weekly memo shows over Wednesday 25" || fail "no tip over Wednesday 25"
screenshot day-3-tip-wednesday

echo "== 4. the notepad: show, type, hide, show"
click_item 1000 @notetab
check_eq "本 shows the notepad; MemoShow" "1 0 1" "$(at notepad 5) $(at notetab 5) $(reg_get "$settings_key" MemoShow)"
focus_page
type_page 'rice, tea; call Li'
check_page "the notepad's page on disk" 'rice, tea; call Li'
screenshot day-4-notepad
click_item 1048 @notepad
check_eq "- hides it, 本 comes back; MemoShow" "0 1 0" "$(at notepad 5) $(at notetab 5) $(reg_get "$settings_key" MemoShow)"
click_item 1000 @notetab
check_eq "shown again with its text" "1 rice, tea; call Li" "$(at notepad 5) $(probe pagetext)"
saved=$(memo_files)

if [ "${LUNORIA_DAY_MIDNIGHT:-0}" = 1 ]; then
    echo "== 5. midnight on a faked clock"
    end_app
    start_app_at "2026-12-31 23:59:50"
    check_eq "the faked today" "2026 12" "$(probe month)"
    click_item 1044
    check_eq "上月 before midnight" "2026 11" "$(probe month)"
    shows() { [ "$(probe month)" = "$1" ]; }
    wait_for 25 shows "2027 1" && echo "ok: January 2027 after midnight" ||
        fail "the page stayed on $(probe month) after midnight"
    item_shown 105 && fail "返回 shown on the new today"
    screenshot day-5-after-midnight
else
    echo "== 5. midnight: skipped (libfaketime reaches only the 64-bit Wine process)"
fi

echo "== 6. moved, ended, started again: everything kept"
read -r x0 y0 _ <<<"$(probe rect)"
drag $((x0 + 340)) $((y0 + 270)) -200 -100
x0=$((x0 - 200)) y0=$((y0 - 100))
check_eq "position stored" "$x0 $y0" "$(reg_get "$settings_key" PosX) $(reg_get "$settings_key" PosY)"
end_app
check_eq "memo files after the end" "$saved" "$(memo_files)"
start_app
check_eq "back where it was" "$x0 $y0" "$(probe rect | cut -d' ' -f1,2)"
check_eq "autostart value kept" "\"$win_path\"" "$(reg_get "$run_key" Lunoria)"
check_eq "the notepad shows again with its text" "1 rice, tea; call Li" "$(at notepad 5) $(probe pagetext)"
probe select 106 0
sleep 0.5
hover $d29x $d29y
wait_for 5 tip_shown && echo "ok: day 29's memos after the restart" || fail "no tip over day 29 after the restart"
open_day $d29x $d29y
check_eq "one-time memo in the editor" "dentist 9:30" "$(probe text 1029 "$editor")"
click_item 2 "$editor"
wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after 取消"
screenshot day-6-restarted

echo "== 7. a second copy is refused"
second_copy_refused

echo "== 8. uninstall, then a manual start"
open_exit_dialog && wait_for 10 probe center 1025 '提示' || fail "no exit dialog"
screenshot day-8-exit-dialog
click_item 1025 '提示'
app_ended 10 || fail "卸载 did not end the calendar"
app_pid=
reg_get "$run_key" Lunoria >/dev/null && fail "the autostart value is still there"
check_eq "settings kept" "$x0" "$(reg_get "$settings_key" PosX)"
check_eq "memos kept" "$saved" "$(memo_files)"
start_app
check_eq "a manual start registers autostart again" "\"$win_path\"" "$(reg_get "$run_key" Lunoria)"
screenshot day-8-manual-start
finish
