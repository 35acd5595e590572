#!/usr/bin/env bash
# Start-up, settings, autostart, the single-instance guard and the exit dialog of the real
# calendar under Wine: e2e.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"

win_path=$(timeout -k 5 30 winepath -w "$app_exe" 2>/dev/null | tr -d '\r')

echo "== first start with an empty registry"
clean_registry
start_app
check_eq "window rect" "500 300 363 278" "$(probe rect)"
check_eq "Run value, quoted" "\"$win_path\"" "$(reg_get "$run_key" Lunoria)"
folder=$(memo_folder)
[ -n "$folder" ] && [ -d "$folder/日历" ] && [ -d "$folder/备忘" ] || fail "memo folders missing: '$folder'"
[ -n "$folder" ] && echo "ok: memo folder $folder"
check_eq "start-up move not stored" "" "$(reg_get "$settings_key" PosX)"
check_eq "MemoShow written back" "0" "$(reg_get "$settings_key" MemoShow)"

echo "== a second copy"
second_copy_refused

echo "== Enter, Esc and a close request leave the calendar open"
cal=$(xdotool search --onlyvisible --name '日历2\.162' | head -1)
xdotool windowfocus --sync "$cal" key Return key Escape key alt+F4
probe close
sleep 2
app_running && echo "ok: still running after Enter, Esc, Alt+F4 and a close request" || fail "the calendar closed on Enter, Esc or a close request"

echo "== x, then Esc keeps it running"
if open_exit_dialog; then
    dlg=$(xdotool search --onlyvisible --name '^提示$' | head -1)
    sleep 0.3
    screenshot app-exit-dialog
    xdotool windowfocus --sync "$dlg" key Escape
    wait_for 10 window_gone '^提示$' || fail "the exit dialog stayed after Esc"
    sleep 1
    app_running && echo "ok: still running after x, Esc" || fail "Esc in the exit dialog ended the calendar"
else
    fail "no exit dialog"
fi

echo "== a restart does not rewrite the Run value"
end_app
# Same text but another type: a rewrite would store REG_SZ.
timeout -k 5 30 wine reg add "$run_key" /v Lunoria /t REG_EXPAND_SZ /d "\"$win_path\"" /f >/dev/null 2>&1
start_app
check_eq "Run value not rewritten" "REG_EXPAND_SZ" \
    "$(timeout -k 5 30 wine reg query "$run_key" /v Lunoria | tr -d '\r' | grep -oE 'REG_[A-Z_]+')"
end_app
reg_set "$run_key" Lunoria "$win_path"          # an old unquoted value is repaired
start_app
check_eq "Run value repaired" "\"$win_path\"" "$(reg_get "$run_key" Lunoria)"
# Enter in the exit dialog is "结束程序", which has the focus: the program ends, the Run value stays.
if open_exit_dialog; then
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^提示$' | head -1)" key Return
    app_ended 10 && echo "ok: x, Enter ended the calendar" || fail "x, Enter did not end the calendar"
    check_eq "Run value kept after 结束程序" "\"$win_path\"" "$(reg_get "$run_key" Lunoria)"
else
    fail "no exit dialog"
fi
end_app

echo "== stored positions"
clean_registry
reg_set "$settings_key" PosX 40
start_app --help /x 2026 # the command line is not read
check_eq "PosX only (started with arguments)" "40 300 363 278" "$(probe rect)"
end_app
reg_set "$settings_key" PosX abc
reg_set "$settings_key" PosY 20
start_app
check_eq "PosX abc" "0 20 363 278" "$(probe rect)"
end_app
reg_set "$settings_key" PosX -12
reg_set "$settings_key" PosY 5
start_app
check_eq "negative, partly visible" "-12 5 363 278" "$(probe rect)"
end_app
reg_set "$settings_key" PosX 30000
reg_set "$settings_key" PosY 30000
start_app
check_eq "far off every screen" "500 300 363 278" "$(probe rect)"
end_app

echo "== x, then 卸载"
start_app
open_exit_dialog && wait_for 10 probe center 1025 '提示' || fail "no exit dialog"
click_item 1025 '提示'
app_ended 10 || fail "卸载 did not end the calendar"
app_pid=
reg_get "$run_key" Lunoria >/dev/null && fail "the Run value is still there"
check_eq "settings kept" "30000" "$(reg_get "$settings_key" PosX)"
[ -d "$(memo_folder)" ] || fail "the memo folder went"
echo "ok: uninstall removed only the Run value"

finish
