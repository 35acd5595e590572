#!/usr/bin/env bash
# The setup program under Wine, built from the two exes as tools/release.sh builds it: silent install,
# upgrade and uninstall around a running calendar, bad input, the pages by hand in Chinese (screenshots).
#   installer.sh I686_EXE X64_EXE PROBE_EXE
set -uo pipefail
i686_exe=$1 x64_exe=$2
source "$(dirname "$0")/../../tools/release-lib.sh"
source "$(dirname "$0")/app_lib.sh" "$x64_exe" "$3"
source "$(dirname "$0")/memo_lib.sh"

# The shipped setup is a 32-bit program. Where those cannot start, the same script is built for amd64.
target=x86-unicode
[ "$LUNORIA_WINE_MODE" = win64 ] && target=amd64-unicode && echo "setup built for amd64: $LUNORIA_WINE_WHY"
version=$(release_version)
stage=$LUNORIA_WINE_ROOT/stage
setup=$stage/lunoria-$version-setup.exe
stage_files "$i686_exe" win32 "$version" "$stage/win32" && stage_files "$x64_exe" win64 "$version" "$stage/win64" &&
    make_installer "$setup" "$version" "$stage/win32" "$stage/win64" "$target" || { echo "no setup program"; exit 1; }

user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
inst=$user_dir/AppData/Local/Programs/Lunoria
win_inst="C:\\users\\${user_dir##*/}\\AppData\\Local\\Programs\\Lunoria"
lnk="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Lunoria 日历.lnk"
entry_key='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lunoria'
run_setup() { timeout -k 5 120 wine "$setup" "$@" >/dev/null 2>&1; }
# The uninstall entry's values as regedit exports them, one a line, sorted.
entry() {
    rm -f "$WINEPREFIX/drive_c/entry.reg"
    timeout -k 5 30 wine regedit /E 'C:\entry.reg' "$entry_key" >/dev/null 2>&1
    [ -s "$WINEPREFIX/drive_c/entry.reg" ] && iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/entry.reg" | tr -d '\r' | grep '^"' | sort
}
removed() { [ ! -e "$inst" ] && ! entry; }
# The setup or uninstall window's title, found by its ASCII start: in a locale this machine lacks,
# its Chinese reaches xdotool's name search garbled.
shown_title() { xdotool search --onlyvisible --name '^Lunoria ' getwindowname 2>/dev/null | grep -m1 .; }
finish_page() { probe text 1 "$(shown_title)" | grep -q '完成'; }

echo "== silent install in a fresh prefix"
run_setup /S; check_eq "setup exit code" 0 $?
check_eq "installed files" "LICENSE README.txt lunoria.exe uninstall.exe" "$(ls "$inst" | xargs)"
cmp -s "$inst/lunoria.exe" "$stage/win64/lunoria.exe" && echo "ok: the x64 exe" || fail "not the x64 exe"
q=${win_inst//\\/\\\\}
check_eq "uninstall entry" "$(printf '%s\n' "\"DisplayIcon\"=\"$q\\\\lunoria.exe\"" '"DisplayName"="Lunoria 日历"' \
    "\"DisplayVersion\"=\"$version\"" "\"EstimatedSize\"=dword:$(printf %08x $(($(cat "$inst"/* | wc -c) / 1024)))" \
    "\"InstallLocation\"=\"$q\"" '"NoModify"=dword:00000001' '"NoRepair"=dword:00000001' '"Publisher"="Quorvel"' \
    "\"QuietUninstallString\"=\"\\\"$q\\\\uninstall.exe\\\" /S\"" "\"UninstallString\"=\"\\\"$q\\\\uninstall.exe\\\"\"")" "$(entry)"
app_exe=$(strings "$lnk" 2>/dev/null | grep -m1 -i '^C:.*\.exe$')
check_eq "shortcut target" "$win_inst\\lunoria.exe" "$app_exe"
start_app && echo "ok: the calendar starts from the shortcut's target"

echo "== no upgrade while a memo is being typed"
read -r x0 y0 _ <<<"$(probe rect)"
open_day 200 100
run_setup /S; check_eq "setup exit code" 2 $?
window_shown "^$editor\$" && echo "ok: the memo editor stays" || fail "the memo editor went"
click_item 2 "$editor"

echo "== upgrade over the running calendar"
folder=$(memo_folder)
memo_hex 3 '周三开会' ff000001 | xxd -r -p >"$folder/日历/week"
reg_set "$settings_key" PosX 40
echo changed >>"$inst/README.txt"
run_setup /S; check_eq "upgrade exit code" 0 $?
app_ended 10 && echo "ok: setup ended the calendar" || fail "the old calendar still runs"
cmp -s "$inst/README.txt" "$stage/win64/README.txt" && echo "ok: files replaced" || fail "README.txt not replaced"
probe wait 20 >/dev/null && check_eq "started again, at its stored place" "40 300 363 278" "$(probe rect)" ||
    fail "the calendar was not started again"
check_eq "the memo kept" "$(memo_hex 3 '周三开会' ff000001)" "$(file_hex "$folder/日历/week")"

echo "== silent uninstall while the calendar runs"
timeout -k 5 60 wine "$inst/uninstall.exe" /S >/dev/null 2>&1
wait_for 30 removed && echo "ok: files and entry removed" || fail "files or entry left: $(ls "$inst")"
probe gone 10 >/dev/null || fail "the calendar still runs"
[ -e "$lnk" ] || reg_get "$run_key" Lunoria && fail "the shortcut or the Run value is left"
check_eq "the memo kept" "$(memo_hex 3 '周三开会' ff000001)" "$(file_hex "$folder/日历/week")"
check_eq "settings kept" 40 "$(reg_get "$settings_key" PosX)"

echo "== an install folder that cannot be written"
echo blocker >"$inst"
run_setup /S; check_eq "setup exit code" 2 $?
check_eq "nothing installed" "blocker" "$(cat "$inst")"
[ -e "$lnk" ] || entry >/dev/null && fail "a shortcut or an entry was made"
rm -f "$inst"

echo "== by hand, in Chinese"
LC_ALL=zh_CN.UTF-8 timeout -k 5 120 wine "$setup" >/dev/null 2>&1 &
wait_for 30 shown_title || fail "no setup window"
run_setup /S; check_eq "a second setup at once" 3 $?
for page in welcome licence folder; do screenshot "setup-$page" && click_item 1 "$(shown_title)"; done
wait_for 20 finish_page && screenshot setup-finish || fail "no finish page"
click_item 1 "$(shown_title)"
probe wait 20 >/dev/null && echo "ok: the finish page started the calendar" || fail "the calendar did not start"
# Started by setup, it shares its locale: found through the probe, not by xdotool's name search.
click_item 1001 && wait_for 10 probe center 1000 '提示' && click_item 1000 '提示'
probe gone 10 >/dev/null || fail "the calendar did not end"
LC_ALL=zh_CN.UTF-8 timeout -k 5 120 wine "$inst/uninstall.exe" >/dev/null 2>&1
wait_for 30 shown_title && click_item 1 "$(shown_title)" || fail "no uninstall window"
wait_for 20 finish_page && screenshot setup-uninstalled || fail "no uninstall finish page"
probe texts "$(shown_title)" | grep -q '我的记事' && echo "ok: it says the memos stay" || fail "no word of the memos"
click_item 1 "$(shown_title)"
wait_for 20 removed || fail "not removed"
finish
