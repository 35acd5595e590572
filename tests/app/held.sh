#!/usr/bin/env bash
# Saves while another program holds the file as antivirus, indexer and sync clients do (lunoria-hold),
# and a documents folder moved to another drive under a long path with blanks and Chinese. Prints the
# notepad's keystroke-to-disk times.   held.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]   (under Wine)
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/memo_lib.sh"
source "$(dirname "$0")/notepad_lib.sh"
ready="$LUNORIA_WINE_ROOT/held.ready"
now() { date +%s.%N; }
ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%d", (b - a) * 1000 }'; }
within() { [ "$2" -ge "$3" ] && [ "$2" -le "$4" ] && echo "ok: $1 ($2 ms)" || fail "$1: $2 ms, not $3 to $4"; }
# hold FILE SECONDS: held in the background once this returns (pid $holder, since $held_at).
hold() {
    rm -f "$ready"
    timeout -k 5 60 wine "$(dirname "$probe_exe")/lunoria-hold.exe" "Z:${1//\//\\}" "$2" "Z:${ready//\//\\}" \
        >/dev/null 2>&1 & holder=$!
    wait_for 10 test -e "$ready" || fail "the holder did not take $1"
    held_at=$(now)
}
# edit_day TEXT: day 29's editor with TEXT as its one-time memo and the pointer on "确定", not clicked.
edit_day() {
    open_day $d29x $d29y && click_item 1029 "$editor" && xdotool key ctrl+a BackSpace
    xdotool type --delay 60 "$1"
    set -- $(probe center 1 "$editor") && xdotool mousemove "$1" "$2" && sleep 0.3
}
on_disk() { # TEXT: waits until the page holds TEXT, prints when
    for i in $(seq 300); do cmp -s <(printf '%s' "$1") "$(page)" && break; sleep 0.01; done
    now
}
closed() { wait_for 10 window_gone "^$editor\$" && echo "ok: the editor closed" || fail "the editor stayed"; }
clean_registry
[ -n "$(memo_folder)" ] && rm -rf "$(memo_folder)"
start_app
cal="$(memo_folder)/日历"
memo_hex 29 first 00000000 | xxd -r -p >"$cal/200601"
probe select 106 0
read -r x0 y0 _ <<<"$(probe rect)"
d29x=10 d29y=$((20 + 33 * 4 + 10))

echo "== a memo file held for 0.7 s: the save waits it out, no message"
edit_day 'brief hold'
hold "$cal/200601" 0.7
xdotool click 1 && closed
window_shown '^记事没有保存$' && fail "a message came"
wait "$holder"
check_eq "the memo on disk" "$(memo_hex 29 'brief hold' 00000000)" "$(file_hex "$cal/200601")"
# The replace lands once the holder lets go: the file's inode changed late in the hold.
within "replaced into the hold" "$(ms "$held_at" "$(stat -c %.9Z "$cal/200601")")" 400 2000

echo "== held for 8 s: the message after the retries, nothing lost, 确定 again after the hold"
before=$(file_hex "$cal/200601")
edit_day 'long hold'
hold "$cal/200601" 8
xdotool click 1
wait_for 10 window_shown '^记事没有保存$' || fail "no message"
within "the message after the retries" "$(ms "$held_at" "$(now)")" 1300 5000
screenshot held-message
click_item 1 记事没有保存 || xdotool key Return
wait_for 10 window_gone '^记事没有保存$' || fail "the message stayed"
check_eq "old file; the editor's text" "$before long hold" "$(file_hex "$cal/200601") $(probe text 1029 "$editor")"
wait "$holder" && click_item 1 "$editor"
closed
check_eq "saved after the hold" "$(memo_hex 29 'long hold' 00000000)" "$(file_hex "$cal/200601")"

echo "== the notepad typed into while its page is held for 4 s"
click_item 1000 @notetab
focus_page
type_page 'abc'
hold "$(page)" 4
timeout -k 5 30 wine "$probe_exe" ping 5 >"$LUNORIA_WINE_ROOT/ping" 2>/dev/null & pinger=$!
type_page 'xyz'
typed_at=$(now)
check_eq "heading and page while held" "记事小本（未保存） abc" "$(probe heading) $(cat "$(page)")"
screenshot held-notepad
wait "$holder" && released=$(now)
landed=$(on_disk abcxyz)
check_eq "page and heading after the hold" "abcxyz 记事小本" "$(cat "$(page)") $(probe heading)"
within "on disk after the release" "$(ms "$released" "$landed")" 0 2000
echo "figure: keystroke to disk with the page held: $(ms "$typed_at" "$landed") ms after the last key"
wait "$pinger"
read -r worst sent < <(tr -d '\r' <"$LUNORIA_WINE_ROOT/ping")
within "the slowest of $sent answers meanwhile" "${worst%.*}" 0 99
typed_at=$(now) && xdotool type '!'
echo "figure: keystroke to disk, nothing holding the page: $(ms "$typed_at" "$(on_disk 'abcxyz!')") ms"

echo "== the program ended while the page is held: the text is kept beside it and comes back"
hold "$(page)" 8
xdotool type '?' && sleep 0.5
end_app
check_eq "default.unsaved; the page as it was" "abcxyz!? abcxyz!" "$(cat "$(page).unsaved") $(cat "$(page)")"
wait "$holder" && start_app
check_eq "taken up at the start" "abcxyz!? 记事小本（已恢复）" "$(probe pagetext) $(probe heading)"
wait_for 3 cmp -s <(printf 'abcxyz!?') "$(page)" || fail "the recovered text is not on disk"
check_eq "the older page kept; no unsaved copy left" "abcxyz! 0" "$(cat "$(page).old") $(ls "$(page).unsaved"* 2>/dev/null | wc -l)"

echo "== the documents folder moved to D: under a long path with blanks and Chinese"
end_app
docs_win='D:\Users Data\王 小明'
while [ ${#docs_win} -lt 245 ]; do docs_win+='\文 档 folder'; done
docs=$LUNORIA_WINE_ROOT/drive-d${docs_win#D:} && docs=${docs//\\//} && moved=$docs/我的记事 && mkdir -p "$docs"
ln -sfn "$LUNORIA_WINE_ROOT/drive-d" "$WINEPREFIX/dosdevices/d:"
key='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer' value=${docs_win//\\/\\\\}
section='\r\n[%s\\%s]\r\n"Personal"="%s"\r\n'
printf "Windows Registry Editor Version 5.00\r\n$section$section" "$key" 'User Shell Folders' "$value" "$key" \
    'Shell Folders' "$value" | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$WINEPREFIX/drive_c/documents.reg"
timeout -k 5 30 wine regedit /S 'C:\documents.reg' >/dev/null 2>&1 || fail "regedit did not take the shell folders"
rm -rf "$(memo_folder)"
start_app
check_eq "memo folders on D: (${#docs_win} characters), none on C:" "yes " \
    "$([ -d "$moved/日历" ] && [ -d "$moved/备忘" ] && echo yes) $(memo_folder)"
probe select 106 0
open_day $d29x $d29y && type_into "$editor" 1029 '搬家' && click_item 1 "$editor"
closed
focus_page
type_page 'D drive'
check_eq "the memo and the page on D:" "$(memo_hex 29 '搬家' 00000000) D drive" "$(file_hex "$moved/日历/200601") $(cat "$moved/备忘/default")"
end_app && start_app
probe select 106 0
open_day $d29x $d29y && check_eq "both back after a restart" "搬家 D drive" "$(probe text 1029 "$editor") $(probe pagetext)"
click_item 2 "$editor"
end_app
# Later scripts in this prefix expect the documents folder where the prefix keeps it.
documents_at_home
finish
