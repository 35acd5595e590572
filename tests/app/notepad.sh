#!/usr/bin/env bash
# The notepad and its "本" tab beside the calendar, used as a user would under Wine on a virtual
# screen: notepad.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/notepad_lib.sh"

echo "== first start: the 本 tab at the calendar's lower right"
clean_registry
# The run's other scripts share this prefix; their memos (today's tip) are not this script's.
[ -n "$(memo_folder)" ] && rm -rf "$(memo_folder)"
start_app
read -r cx cy cw ch <<<"$(probe rect)"
check_eq "本 tab, 10 px right, bottoms aligned" "$((cx + cw + 10)) $((cy + ch - 18)) 26 18 1" "$(probe companion notetab)"
check_eq "notepad, 历 tab hidden; MemoShow" "0 0 0" "$(at notepad 5) $(at caltab 5) $(reg_get "$settings_key" MemoShow)"
screenshot app-note-tab
click_item 1000 @notetab
check_eq "本 shows the notepad under the calendar" "$cx $((cy + ch + 10)) 1" "$(at notepad 1,2,5)"
check_eq "本 tab hidden; MemoShow" "0 1" "$(at notetab 5) $(reg_get "$settings_key" MemoShow)"

echo "== every change is on disk"
focus_page
xdotool key Escape key alt+F4
sleep 0.5
check_eq "Esc and Alt+F4 leave the notepad open" "1" "$(at notepad 5)"
type_page 'Hello 记事'
xdotool key Return
type_page '第二行 ok'
check_page "ASCII and Chinese" $'Hello 记事\n第二行 ok'
screenshot app-notepad
xdotool key ctrl+a BackSpace
sleep 0.5
[ -e "$(page)" ] && fail "the file stayed after deleting everything" || echo "ok: no text, no file"
type_page '农历 note'
mkdir "$(page).tmp" # the temporary file cannot be made, so every save fails
type_page '!'
check_page "a failed save keeps the old file" '农历 note'
check_eq "heading and text" "记事小本（未保存） 农历 note!" "$(probe heading) $(probe pagetext)"
screenshot app-notepad-unsaved
rmdir "$(page).tmp"
type_page '?'
check_page "the next change saves everything" '农历 note!?'
check_eq "heading" "记事小本" "$(probe heading)"

echo "== the notepad drags by its heading; the calendar takes the tab along, not the notepad"
read -r nx ny _ <<<"$(probe companion notepad)"
drag $((nx + 8)) $((ny + 6)) -120 40
nx=$((nx - 120)) ny=$((ny + 40))
check_eq "notepad dragged; MemoX MemoY" "$nx $ny $nx $ny" \
    "$(at notepad) $(reg_get "$settings_key" MemoX) $(reg_get "$settings_key" MemoY)"
drag $((cx + 340)) $((cy + 270)) -200 -100
cx=$((cx - 200)) cy=$((cy - 100))
check_eq "calendar dragged, notepad stays" "$cx $cy $nx $ny" "$(probe rect | cut -d' ' -f1,2) $(at notepad)"
screenshot app-calendar-dragged
click_item 1048 @notepad
check_eq "- shows the tab beside the calendar; MemoShow" "$((cx + cw + 10)) $((cy + ch - 18)) 1 0 0" \
    "$(at notetab 1,2,5) $(at notepad 5) $(reg_get "$settings_key" MemoShow)"
click_item 1000 @notetab

echo "== restart: the notepad, its place and its text come back"
end_app
start_app
check_eq "notepad, tab; place; text" "1 0 $nx $ny 农历 note!?" "$(at notepad 5) $(at notetab 5) $(at notepad) $(probe pagetext)"

echo "== minimised when the session ends (killed, as at log-off)"
click_item 1000
sleep 0.5
check_eq "minimised; PosX PosY kept" "1 $cx $cy" "$(probe iconic) $(reg_get "$settings_key" PosX) $(reg_get "$settings_key" PosY)"
kill "$app_pid"
wait "$app_pid" 2>/dev/null
app_pid=
probe gone 10 >/dev/null || fail "the calendar did not end"
start_app
check_eq "back where the user left it, tab beside" "$cx $cy $((cx + cw + 10))" "$(probe rect | cut -d' ' -f1,2) $(at notetab 1)"

echo "== a page from another program shows up to its first NUL; a notepad stored off screen comes back"
end_app
printf 'abc\0def' >"$(page)"
reg_set "$settings_key" MemoX 30000
start_app
read -r nx ny _ <<<"$(probe companion notepad)"
check_eq "text; in view" "abc 1" "$(probe pagetext) $((nx >= 0 && nx < 1024 && ny >= 0 && ny < 768))"
focus_page
xdotool key ctrl+End
type_page x
check_page "after an edit the file holds the text" 'abcx'
finish
