#!/usr/bin/env bash
# The memo export as a user runs it, under Wine on a virtual screen: a right-click on the grid, the
# menu's one item, the Save As dialog driven by its file name field and its Save button. The file lands
# where the dialog was pointed and holds what lunoria-cal --export-ics writes for the same folder
# (apart from DTSTAMP); a file that cannot be written is told in one message.
#   export.sh LUNORIA_EXE PROBE_EXE LUNORIA_CAL_EXE
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/memo_lib.sh"
cal_exe=$3
dialog='导出记事'
out=$WINEPREFIX/drive_c/lunoria-out
mkdir -p "$out"

# export_to PATH: right-click, the menu item, then PATH (empty: the dialog's own) and Save.
export_to() {
    local at
    xdotool mousemove $((x0 + 120)) $((y0 + 22 + 80))
    sleep 0.2
    xdotool click 3
    wait_for 10 probe menu || { fail "no menu after a right-click"; return 1; }
    [ "${1:-}" ] || screenshot export-menu
    at=$(probe menu) && set -- "${1:-}" $at
    xdotool mousemove $(($2 + $4 / 2)) $(($3 + $5 / 2))
    sleep 0.2
    xdotool click 1
    wait_for 10 window_shown "^$dialog\$" || { fail "no Save As dialog"; return 1; }
    sleep 0.5
    if [ -n "$1" ]; then
        click_item 1148 "$dialog"
        xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$dialog\$" | head -1)"
        xdotool key ctrl+a BackSpace
        xdotool type --delay 50 "$1"
        sleep 0.3
    else
        screenshot export-save-as
        check_eq "default file name" "我的记事.ics" "$(probe text 1148 "$dialog")"
    fi
    check_eq "the Save button" "&Save" "$(probe text 1 "$dialog")"
    click_item 1 "$dialog"
}
dialog_says() { probe texts "$dialog" | grep -q "$1"; }
# same_export FILE: FILE holds the terminal's export of the memo folder, DTSTAMP aside.
same_export() {
    [ -f "$1" ] && cmp -s <(grep -av '^DTSTAMP:' "$1") <(grep -av '^DTSTAMP:' "$out/terminal.ics")
}

clean_registry
start_app
folder=$(memo_folder)
rm -f "$folder/日历/"* "$(dirname "$folder")/我的记事.ics" # what earlier scripts of the run left
memo_hex 29 $'Hello 记事\r\n第二行, a;b' 00000000 5 '😀 emoji' ff000001 | xxd -r -p >"$folder/日历/200601"
memo_hex 14 '情人节' 00000000 | xxd -r -p >"$folder/日历/102"
memo_hex 1 '春节' 00000000 30 '三十' 00000000 | xxd -r -p >"$folder/日历/001"
memo_hex 3 '例会 10:00' 00000000 | xxd -r -p >"$folder/日历/week"
timeout -k 5 60 wine "$cal_exe" --export-ics "$(winepath -w "$folder" | tr -d '\r')" \
    -o "$(winepath -w "$out/terminal.ics" | tr -d '\r')" >/dev/null 2>&1
check_eq "terminal export's events" 6 "$(grep -c '^BEGIN:VEVENT' "$out/terminal.ics")"
set -- $(probe rect)
x0=$1 y0=$2

echo "== the dialog's own choice: 我的记事.ics in the documents folder"
export_to
wait_for 10 window_gone "^$dialog\$" || fail "the Save As dialog stayed"
wait_for 10 same_export "$(dirname "$folder")/我的记事.ics" && echo "ok: Documents/我的记事.ics as the terminal writes it" ||
    fail "Documents/我的记事.ics is not the terminal's export"

echo "== pointed elsewhere by the file name field"
export_to 'C:\lunoria-out\calendar.ics'
wait_for 10 same_export "$out/calendar.ics" && echo "ok: C:\\lunoria-out\\calendar.ics written" ||
    fail "no export where the dialog was pointed"
ls "$out" | grep -q '\.tmp$' && fail "a temporary file was left"

echo "== a file that cannot be written"
echo old >"$out/locked.ics"
chmod a-w "$out/locked.ics"
export_to 'C:\lunoria-out\locked.ics'
# The dialog first asks whether to replace the file (Yes is button 6); then the export says it could not.
wait_for 10 probe center 6 "$dialog" && click_item 6 "$dialog" || fail "no question whether to replace the file"
if wait_for 10 dialog_says 无法写入; then
    screenshot export-failed
    probe texts "$dialog" | grep -q 'locked.ics' && echo "ok: the message names the file" || fail "the message names no file"
    click_item 1 "$dialog"
    wait_for 10 window_gone "^$dialog\$" || fail "the message stayed"
else
    fail "no message for a file that cannot be written"
fi
check_eq "the locked file unchanged" old "$(cat "$out/locked.ics")"
chmod u+w "$out/locked.ics"
finish
