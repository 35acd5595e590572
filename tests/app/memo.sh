#!/usr/bin/env bash
# Memos made from the calendar as a user makes them, under Wine on a virtual screen: a click on a
# day, typing in the editor, a colour from the chooser, "确定" and "取消", the weekly reminder behind
# the header, the hover tip, a file that cannot be written, and a restart.
#   memo.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/memo_lib.sh"

folder_state() { (cd "$cal" && for f in *; do [ -e "$f" ] && echo "$f $(file_hex "$f")"; done); }

clean_registry
start_app
folder=$(memo_folder)
cal="$folder/日历"
[ -d "$cal" ] || fail "no memo folder"
probe select 106 0
check_eq "January 2006 shown" "2006 1" "$(probe month)"
set -- $(probe rect)
x0=$1 y0=$2
# 1 January 2006 is a Sunday: day 29 (正月初一) starts row 4, the Wednesdays are days 4 to 25.
d29x=10 d29y=$((20 + 33 * 4 + 10))

echo "== three memos of 29 January 2006 and a colour"
open_day $d29x $d29y
check_eq "date line" "2006年1月29日星期日农历正月初一" "$(probe text 1032 "$editor")"
check_eq "solar caption" "阳历每年1月29日" "$(probe text 1038 "$editor")"
check_eq "swatch text" "■" "$(probe text 1051 "$editor")"
set -- $(probe center 1051 "$editor")
[ "${3:-0}" = 1 ] && eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name "^$editor\$" | head -1)")" &&
    [ "$2" -lt $((Y + HEIGHT)) ] && echo "ok: lunar swatch inside the editor" || fail "lunar swatch not inside the editor"
type_into "$editor" 1029 'Hello 记事'
xdotool key Return
xdotool type --delay 100 '第二行'
type_into "$editor" 1030 '  生日 abc'
type_into "$editor" 1031 '春节'
click_item 1049 "$editor"
choose_colour
sleep 0.5
screenshot memo-editor
click_item 1 "$editor"
wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after 确定"
check_eq "month file 200601" "$(memo_hex 29 $'Hello 记事\r\n第二行' ff808001)" "$(file_hex "$cal/200601")"
check_eq "yearly solar file 101" "$(memo_hex 29 '生日 abc' 00000000)" "$(file_hex "$cal/101")"
check_eq "yearly lunar file 001" "$(memo_hex 1 '春节' 00000000)" "$(file_hex "$cal/001")"

echo "== the tip over day 29"
xdotool mousemove $((x0 + 100)) $((y0 + 22 + 5)) # the header first
sleep 0.3
xdotool mousemove $((x0 + d29x + 5)) $((y0 + 22 + d29y))
wait_for 5 bash -c '[ "$(timeout 20 wine "$0" tip 2>/dev/null | cut -c1)" = 1 ]' "$probe_exe" || fail "no tip over day 29"
set -- $(probe tip)
echo "tip: $*"
[ "${5:-0}" -ge 45 ] && echo "ok: the tip holds four lines" || fail "tip height '${5:-}' for four lines"
screenshot memo-tip

echo "== clearing the yearly solar memo"
open_day $d29x $d29y
check_eq "solar memo shown without its blanks" "生日 abc" "$(probe text 1030 "$editor")"
clear_edit "$editor" 1030
click_item 1 "$editor"
wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after 确定"
[ -e "$cal/101" ] && fail "101 is still there" || echo "ok: 101 removed with its last memo"
check_eq "month file kept" "$(memo_hex 29 $'Hello 记事\r\n第二行' ff808001)" "$(file_hex "$cal/200601")"

echo "== a colour, then 取消"
before=$(folder_state)
open_day $d29x $d29y
click_item 1051 "$editor"
choose_colour
type_into "$editor" 1031 '改掉'
click_item 2 "$editor"
wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after 取消"
check_eq "nothing changed on disk" "$before" "$(folder_state)"

echo "== the Wednesday header"
shot=$(screenshot memo-before-weekly | sed 's/^screenshot: //')
check_eq "no ● on Wednesday 11 yet" "0" "$(red_in "$shot" $((x0 + 156 + 2)) $((y0 + 22 + 21 + 33)) 8 12)"
xdotool mousemove $((x0 + 52 * 3 + 20)) $((y0 + 22 + 8)) click 1
wait_for 10 window_shown "^$weekly\$" || fail "no weekly reminder"
probe texts "$weekly" | grep -qx '每周三' && echo "ok: 每周三" || fail "no 每周三 caption"
type_into "$weekly" 1049 '例会 10:00'
sleep 0.3
screenshot memo-weekly
click_item 1 "$weekly"
wait_for 10 window_gone "^$weekly\$" || fail "the weekly reminder stayed after 确定"
check_eq "weekly file" "$(memo_hex 3 '例会 10:00' 00000000)" "$(file_hex "$cal/week")"
sleep 0.5
shot=$(screenshot memo-after-weekly | sed 's/^screenshot: //')
[ "$(red_in "$shot" $((x0 + 156 + 2)) $((y0 + 22 + 2)) 8 12)" -gt 0 ] && echo "ok: ● in the header" ||
    fail "no ● in the Wednesday header"
for row in 0 1 2 3; do
    [ "$(red_in "$shot" $((x0 + 156 + 2)) $((y0 + 22 + 21 + 33 * row)) 8 12)" -gt 0 ] ||
        fail "no ● on the Wednesday of row $row"
done

echo "== a month file that cannot be written"
chmod a-w "$cal/200601"
before=$(file_hex "$cal/200601")
open_day $d29x $d29y
click_item 1029 "$editor"
xdotool key ctrl+End
xdotool type --delay 100 'XYZ'
sleep 0.3
click_item 1 "$editor"
if wait_for 10 window_shown '^记事没有保存$'; then
    sleep 0.3
    screenshot memo-save-failed
    probe texts 记事没有保存 | grep -q '200601' && echo "ok: the message names the file" || fail "the message does not name 200601"
    click_item 1 记事没有保存 || xdotool key Return
    wait_for 10 window_gone '^记事没有保存$' || fail "the message stayed"
else
    fail "no message for the file that cannot be written"
fi
window_shown "^$editor\$" && echo "ok: the editor stays open" || fail "the editor closed"
check_eq "the text as typed" $'Hello 记事\n第二行XYZ' "$(probe text 1029 "$editor" | tr -d '\r')"
check_eq "month file unchanged" "$before" "$(file_hex "$cal/200601")"
click_item 2 "$editor"
wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after 取消"
chmod u+w "$cal/200601"

echo "== a restart shows everything again, and today's memo in the tip on the second tick"
end_app
xdotool mousemove 5 5 # away from the calendar, which starts under it
today_file="$cal/1$(date +%m)"
[ -e "$today_file" ] || printf "\\x64\\x00\\x$(printf %02x $((10#$(date +%d))))\\x00\\x05\\x00\\x00\\x00\\x00\\x00today" >"$today_file"
start_app
wait_for 5 bash -c '[ "$(timeout 20 wine "$0" tip 2>/dev/null | cut -c1)" = 1 ]' "$probe_exe" &&
    echo "ok: today's tip shows" || fail "no tip for today"
xdotool mousemove $((x0 + 100)) $((y0 + 22 + 5)) # the header: no day
sleep 0.5
screenshot memo-today-tip
set -- $(probe tip)
check_eq "today's tip stays over no day" "1" "${1:-}"
probe select 106 0
sleep 0.5
shot=$(screenshot memo-restart | sed 's/^screenshot: //')
[ "$(red_in "$shot" $((x0 + 156 + 2)) $((y0 + 22 + 2)) 8 12)" -gt 0 ] && echo "ok: ● after the restart" ||
    fail "no ● after the restart"
xdotool mousemove $((x0 + 100)) $((y0 + 22 + 5))
sleep 0.3
xdotool mousemove $((x0 + d29x + 5)) $((y0 + 22 + d29y))
sleep 1
set -- $(probe tip)
check_eq "tip over day 29 after the restart" "1" "${1:-}"
open_day $d29x $d29y
check_eq "one-time memo" "Hello 记事第二行" "$(probe text 1029 "$editor" | tr -d '\r\n')"
check_eq "lunar memo" "春节" "$(probe text 1031 "$editor")"
click_item 2 "$editor"
finish
