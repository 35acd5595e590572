#!/usr/bin/env bash
# The memo export as a user runs it under Wine: a right-click on the grid, the menu's item, the Save As
# dialog driven by its file name field and Save button. The file lands where the dialog pointed and
# holds what lunoria-cal --export-ics writes (DTSTAMP aside); a file that cannot be written is told.
#   export.sh LUNORIA_EXE PROBE_EXE MINIMAL_EXE LUNORIA_CAL_EXE
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/memo_lib.sh"
dialog='导出记事'
out=$WINEPREFIX/drive_c/lunoria-out
mkdir -p "$out"

# export_to NAME: right-click, the menu's item, NAME (a Windows path) in the file name field, Save.
export_to() {
    xdotool mousemove $((x0 + 120)) $((y0 + 102)) sleep 0.2 click 3
    wait_for 10 probe menu || { fail "no menu after a right-click"; return 1; }
    screenshot export-menu
    set -- "$1" $(probe menu)
    xdotool mousemove $(($2 + $4 / 2)) $(($3 + $5 / 4)) sleep 0.2 click 1 # the first of two items
    wait_for 10 window_shown "^$dialog\$" || { fail "no Save As dialog"; return 1; }
    sleep 0.5
    screenshot export-save-as
    check_eq "the dialog's file name" "我的记事.ics" "$(probe text 1148 "$dialog")"
    click_item 1148 "$dialog"
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$dialog\$" | head -1)"
    xdotool key ctrl+a BackSpace type --delay 50 "$1"
    sleep 0.3
    click_item 1 "$dialog" # Save
}
same_export() { cmp -s <(grep -av '^DTSTAMP:' "$1") <(grep -av '^DTSTAMP:' "$out/terminal.ics"); }
says() { probe texts "$dialog" | grep -qF "$1"; }

clean_registry
start_app
folder=$(memo_folder)
rm -f "$folder/日历/"* # what earlier scripts of the run left
memo_hex 29 $'Hello 记事\r\n第二行, a;b' 00000000 5 '😀 emoji' ff000001 | xxd -r -p >"$folder/日历/200601"
memo_hex 14 '情人节' 00000000 | xxd -r -p >"$folder/日历/102"
memo_hex 1 '春节' 00000000 30 '三十' 00000000 | xxd -r -p >"$folder/日历/001"
memo_hex 3 '例会 10:00' 00000000 | xxd -r -p >"$folder/日历/week"
timeout -k 5 60 wine "$cal_exe" --export-ics "$(winepath -w "$folder" | tr -d '\r')" -o 'C:\lunoria-out\terminal.ics' >/dev/null 2>&1
check_eq "events of the terminal's export" 6 "$(grep -c '^BEGIN:VEVENT' "$out/terminal.ics")"
read -r x0 y0 _ <<<"$(probe rect)"

export_to 'C:\lunoria-out\calendar.ics'
wait_for 10 same_export "$out/calendar.ics" && echo "ok: the terminal's export where the dialog pointed" ||
    fail "C:\\lunoria-out\\calendar.ics is not the terminal's export"

echo "== a file that cannot be written"
echo old >"$out/locked.ics"
chmod a-w "$out/locked.ics"
export_to 'C:\lunoria-out\locked.ics'
# The dialog asks whether to replace the file (Yes is button 6); then the export tells it failed.
wait_for 10 probe center 6 "$dialog" && click_item 6 "$dialog"
wait_for 10 says '无法写入文件：C:\lunoria-out\locked.ics' && echo "ok: the message names the file" || fail "no message"
click_item 1 "$dialog"
wait_for 10 window_gone "^$dialog\$" || fail "the message stayed"
check_eq "the locked file" old "$(cat "$out/locked.ics")"
finish
