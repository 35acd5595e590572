#!/usr/bin/env bash
# The notepad and its "本" tab beside the calendar, used as a user would under Wine on a virtual
# screen: notepad.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"

field() { awk -v f="$*" 'BEGIN { n = split(f, k, " ") } { s = $k[1]; for (i = 2; i <= n; i++) s = s " " $k[i]; print s }'; }
page() { echo "$(memo_folder)/备忘/default"; }
# The page's expected bytes: code page 936, CR LF line breaks.
expect_page() { printf '%s' "$1" | sed 's/$/\r/; $ s/\r$//' | iconv -f UTF-8 -t GB18030; }
check_page() {  # what UTF8-TEXT
    if cmp -s <(expect_page "$2") "$(page)"; then echo "ok: $1"; else
        fail "$1: file holds '$(od -An -c "$(page)" 2>/dev/null | tr -s ' ' | head -c 200)'"
    fi
}
# drag X Y DX DY: press at (X, Y), move in six steps by (DX, DY), release.
drag() {
    xdotool mousemove "$1" "$2" mousedown 1
    for step in 1 2 3 4 5 6; do
        sleep 0.1
        xdotool mousemove $(($1 + $3 * step / 6)) $(($2 + $4 * step / 6))
    done
    sleep 0.2
    xdotool mouseup 1
    sleep 0.5
}
# Clicks into the notepad's text and gives its X window the keyboard (there is no window manager).
focus_page() {
    set -- $(probe center 1047 @notepad)
    xdotool mousemove "$1" "$2" click 1
    sleep 0.3
    local w at try
    at=$(probe companion notepad | field 1 2 | tr ' ' ,)
    for try in 1 2 3 4 5; do
        for w in $(xdotool search --onlyvisible --classname lunoria); do
            xdotool getwindowgeometry "$w" | grep -q "Position: $at " && xdotool windowfocus --sync "$w" && return 0
        done
        sleep 0.5
    done
    fail "no X window for the notepad at $at"
}
# type_page TEXT: types TEXT into the notepad, one key at a time. For a Chinese character xdotool
# maps a spare key just for its press; Wine now and then reads the keymap after it was unmapped and
# drops that key. A key that did not arrive is pressed again.
type_page() {
    local text=$1 i try now before
    before=$(probe pagetext)
    for ((i = 0; i < ${#text}; i++)); do
        for try in 1 2 3; do
            xdotool type "${text:i:1}"
            sleep 0.2
            now=$(probe pagetext)
            [ "$now" != "$before" ] && break
        done
        before=$now
    done
    sleep 0.3
}

echo "== first start: the 本 tab at the calendar's lower right"
clean_registry
start_app
set -- $(probe rect)
cx=$1 cy=$2 cw=$3 ch=$4
check_eq "本 tab, 10 px right, bottoms aligned" "$((cx + cw + 10)) $((cy + ch - 18)) 26 18 1" "$(probe companion notetab)"
check_eq "notepad hidden" "0" "$(probe companion notepad | field 5)"
check_eq "历 tab hidden" "0" "$(probe companion caltab | field 5)"
check_eq "MemoShow" "0" "$(reg_get "$settings_key" MemoShow)"
screenshot app-note-tab

echo "== 本 shows the notepad under the calendar"
click_item 1000 @notetab
check_eq "notepad shown at the calendar's left, bottom + 10" "$cx $((cy + ch + 10)) 1" \
    "$(probe companion notepad | field 1 2 5)"
check_eq "本 tab hidden" "0" "$(probe companion notetab | field 5)"
check_eq "MemoShow" "1" "$(reg_get "$settings_key" MemoShow)"
check_eq "no page file yet" "no" "$([ -e "$(page)" ] && echo yes || echo no)"

echo "== typing saves every change"
focus_page
xdotool key Escape key alt+F4
sleep 0.5
check_eq "Esc and Alt+F4 leave the notepad open" "1" "$(probe companion notepad | field 5)"
type_page 'Hello 记事'
xdotool key Return
type_page '第二行 ok'
check_page "ASCII and Chinese, CR LF" $'Hello 记事\n第二行 ok'
check_eq "heading" "记事小本" "$(probe heading)"
screenshot app-notepad
xdotool key ctrl+a BackSpace
sleep 0.5
check_eq "deleting everything removes the file" "no" "$([ -e "$(page)" ] && echo yes || echo no)"
type_page '农历 note'
check_page "typed again" '农历 note'

echo "== a save that fails is marked, and the text stays"
mkdir "$(page).tmp"  # the temporary file cannot be made: every save fails
xdotool key End type --delay 100 '!'
sleep 0.5
check_page "old file kept" '农历 note'
check_eq "heading marks the text as not on disk" "记事小本（未保存）" "$(probe heading)"
check_eq "text kept in the notepad" "农历 note!" "$(probe pagetext)"
screenshot app-notepad-unsaved
rmdir "$(page).tmp"
xdotool type --delay 100 '?'
sleep 0.5
check_page "the next change saves everything" '农历 note!?'
check_eq "heading back" "记事小本" "$(probe heading)"

echo "== the notepad is dragged by its heading; the calendar drags the tab along, not the notepad"
set -- $(probe companion notepad)
drag $(($1 + 8)) $(($2 + 6)) -120 40
nx=$(($1 - 120)) ny=$(($2 + 40))
check_eq "notepad dragged" "$nx $ny" "$(probe companion notepad | field 1 2)"
check_eq "MemoX MemoY" "$nx $ny" "$(reg_get "$settings_key" MemoX) $(reg_get "$settings_key" MemoY)"
drag $((cx + 340)) $((cy + 270)) -200 -100
cx=$((cx - 200)) cy=$((cy - 100))
check_eq "calendar dragged" "$cx $cy" "$(probe rect | field 1 2)"
check_eq "notepad stays" "$nx $ny" "$(probe companion notepad | field 1 2)"
screenshot app-calendar-dragged
click_item 1048 @notepad
check_eq "- hides the notepad" "0 1" "$(probe companion notepad | field 5) $(probe companion notetab | field 5)"
check_eq "MemoShow" "0" "$(reg_get "$settings_key" MemoShow)"
check_eq "本 tab beside the moved calendar" "$((cx + cw + 10)) $((cy + ch - 18))" "$(probe companion notetab | field 1 2)"
click_item 1000 @notetab

echo "== restart: the text, the place and the shown notepad come back"
end_app
start_app
check_eq "notepad shown, tab hidden" "1 0" "$(probe companion notepad | field 5) $(probe companion notetab | field 5)"
check_eq "notepad place" "$nx $ny" "$(probe companion notepad | field 1 2)"
check_eq "text" "农历 note!?" "$(probe pagetext)"

echo "== minimised when the session ends"
click_item 1000
sleep 0.5
check_eq "minimised" "1" "$(probe iconic)"
check_eq "PosX PosY kept" "$cx $cy" "$(reg_get "$settings_key" PosX) $(reg_get "$settings_key" PosY)"
kill "$app_pid"
wait "$app_pid" 2>/dev/null
app_pid=
probe gone 10 >/dev/null || fail "the calendar did not end"
start_app
check_eq "the calendar comes back where the user left it" "$cx $cy" "$(probe rect | field 1 2)"
check_eq "the tab beside it" "$((cx + cw + 10))" "$(probe companion notetab | field 1)"

echo "== a page from another program, shown up to its first NUL; a notepad stored off screen"
end_app
printf 'abc\0def' >"$(page)"
reg_set "$settings_key" MemoX 30000
reg_set "$settings_key" MemoY 30000
start_app
check_eq "up to the NUL" "abc" "$(probe pagetext)"
set -- $(probe companion notepad)
[ "$1" -ge 0 ] && [ "$1" -lt 1024 ] && [ "$2" -ge 0 ] && [ "$2" -lt 768 ] && echo "ok: notepad back in view ($1 $2)" ||
    fail "notepad off screen at $1 $2"
focus_page
xdotool key ctrl+End type x
sleep 0.5
check_page "after an edit the file holds the text" 'abcx'
end_app
reg_set "$settings_key" MemoX -40
reg_del "$settings_key" MemoY
start_app
set -- $(probe rect)
check_eq "MemoX kept partly off screen, MemoY missing" "-40 $(($2 + $4 + 10))" "$(probe companion notepad | field 1 2)"
finish
