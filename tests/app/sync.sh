#!/usr/bin/env bash
# A memo folder shared with a second computer through a sync client, under Wine: the other computer's
# writes arrive as sync clients make them (a temporary file renamed over the memo file), and its
# conflict copies appear beside the memo files. Nothing either side saved may be lost.
#   sync.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/memo_lib.sh"
source "$(dirname "$0")/notepad_lib.sh"

mark=$'\r\n-------- 以下是另一处保存的文字 --------\r\n'
# The other computer: memo_hex's records, written aside and renamed over NAME (in 日历).
other_writes() {  # NAME slot text colour ...
    local name=$1
    shift
    memo_hex "$@" | xxd -r -p >"$cal/.sync-$name" && mv -f "$cal/.sync-$name" "$cal/$name"
}
# Light blue (135, 206, 250), a one-time memo's cell, in a box of the screen.
blue_in() { convert "$1" -crop "$4x$5+$2+$3" +repage txt:- 2>/dev/null | grep -ci '#87CEFA'; }
# both_kept SECONDS DAY: the notice that both texts were kept shows and names DAY; closed after.
both_kept() {
    local notice=两处的记事都保留了
    check_within "$1" "a notice that both texts were kept" window_shown "^$notice\$" || return
    probe texts $notice | grep -q "$2" && echo "ok: the notice names $2" || fail "the notice does not name $2"
    click_item 1 $notice || xdotool key Return
}
# The other computer's notepad page, replaced by rename; what the notepad here shows.
other_page() { printf '%s' "$1" >"$(page).sync" && mv -f "$(page).sync" "$(page)"; }
page_shows() { [ "$(probe pagetext)" = "$1" ]; }

clean_registry
documents_at_home
rm -rf "$(memo_folder)"
start_app
cal="$(memo_folder)/日历"
probe select 106 0 # January 2006: the 1st is a Sunday, day 5 is the Thursday of the first row
read -r x0 y0 _ <<<"$(probe rect)"
d5x=$((10 + 52 * 4)) d5y=30 d29x=10 d29y=$((20 + 33 * 4 + 10))

echo "== a memo written on the other computer shows within two seconds"
other_writes 200601 5 '同步来的' 00000000
sleep 1.8
shot=$(screenshot sync-arrived | sed 's/^screenshot: //')
[ "$(blue_in "$shot" $((x0 + 52 * 4 + 4)) $((y0 + 22 + 22)) 40 24)" -gt 50 ] && echo "ok: day 5 filled" ||
    fail "the other computer's memo of day 5 did not show"

echo "== a memo saved here for another day leaves both in the file"
open_day $d29x $d29y
type_into "$editor" 1029 'here'
click_item 1 "$editor"
wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after 确定"
check_eq "both memos" "$(memo_hex 5 '同步来的' 00000000 29 here 00000000)" "$(file_hex "$cal/200601")"

echo "== a write made while the editor is open survives its save"
open_day $d5x $d5y
other_writes 200601 5 '另一台' 00000000 7 seven 00000000 29 here 00000000
sleep 1.5
click_item 1029 "$editor"
xdotool key ctrl+End
xdotool type --delay 100 'X'
click_item 1 "$editor"
both_kept 10 2006年1月5日
wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after 确定"
check_eq "both texts of day 5, day 7 kept" \
    "$(memo_hex 5 "同步来的X${mark}另一台" 00000000 7 seven 00000000 29 here 00000000)" "$(file_hex "$cal/200601")"

echo "== conflict copies of every sync client are merged and moved to 已合并"
copies=('200601-HOME' '200601-HOME-1' "200601 (HOME's conflicted copy 2026-12-10)"
        '200601 (conflicted copy 2026-12-10 093612)' '200601.sync-conflict-20261210-093612-ABCDEFG' '200601 (1)')
records=()
for i in "${!copies[@]}"; do
    other_writes "${copies[$i]}" 5 "同步来的X${mark}另一台" 00000000 $((10 + i)) "copy$i" 00000000
    records+=($((10 + i)) "copy$i" 00000000)
done
other_writes '200601 (2)' 7 SEVEN 00000000 20 twenty 00000000
printf 'd\0\x1f\0\x09\0' >"$cal/200601 (3)" # damaged: a record cut short
both_kept 5 2006年1月7日
wait_for 5 bash -c '[ -z "$(ls "$0" | grep -v "^200601$\|^200601 (3)$\|^已合并$")" ]' "$cal" || fail "copies left: $(ls "$cal" | tr '\n' ' ')"
check_eq "merged file" "$(memo_hex 5 "同步来的X${mark}另一台" 00000000 7 "seven${mark}SEVEN" 00000000 \
    "${records[@]}" 20 twenty 00000000 29 here 00000000)" "$(file_hex "$cal/200601")"
check_eq "copies in 已合并" "7" "$(ls "$cal/已合并" | wc -l)"
check_that "the damaged copy stays" test -e "$cal/200601 (3)"

echo "== the notepad shows a page changed elsewhere, and keeps both texts with unsaved typing"
click_item 1000 @notetab
other_page 'from elsewhere'
check_within 3 "the page shows the other text" page_shows 'from elsewhere' || echo "  it shows '$(probe pagetext)'"
focus_page
xdotool key ctrl+End
mkdir "$(page).tmp" # the save fails: the typing stays unsaved
xdotool type 'Z'
sleep 0.5
other_page 'other text'
sleep 2
rmdir "$(page).tmp"
xdotool type 'Y'
sleep 1
check_page "both texts" $'from elsewhereZY\n-------- 以下是另一处保存的文字 --------\nother text'
finish
