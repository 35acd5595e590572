#!/usr/bin/env bash
# The calendar follows the system while it runs: AppsUseLightTheme turned to 0 with the broadcast Windows
# sends, and high contrast turned on and off, turn the calendar, the notepad and the 本 tab within a
# second (high contrast also at start); the Theme setting "1" keeps it light. In every look, the tip and
# the day editor take its colours. Screenshots: theme-<look>, -tip-, -editor-, -exit-.
#   theme.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/memo_lib.sh"

personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
set_mode() { timeout -k 5 30 wine reg add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
# Where to look besides the first cell: the notepad's page, the tip, the editor's memo box (right of
# its text).
page() { set -- $(probe companion notepad); echo "$(($1 + $3 - 30)) $(($2 + $4 - 20))"; }
tip() { set -- $(probe tip); echo "$(($2 + $4 / 2)) $3"; }
memo_box() { set -- $(probe center 1029 "$editor"); echo "$(($1 + 30)) $2"; }
turned() { # WHAT EXPECTED: polled for a second
    local i got
    for i in 1 2 3 4 5; do
        got=$(pixel $($1)) && [ "$got" = "$2" ] && { echo "ok: $1 is $2"; return 0; }
        sleep 0.2
    done
    fail "$1 is $got, not $2 ($($1))"
}
# look NAME CELL PAGE TIP MEMO_BOX: the calendar and the notepad in these colours, then the tip over day 10,
# its editor and the exit dialog, each with its screenshot.
look() {
    echo "== $1"
    turned cell "$2" && turned page "$3" && screenshot "theme-$1" >/dev/null
    read -r x0 y0 _ <<<"$(probe rect)"
    hover $((52 * 4 + 10)) $((20 + 33 + 10)) # Thursday 10 December 2026
    wait_for 5 tip_shown && turned tip "$4" && screenshot "theme-tip-$1" >/dev/null || fail "no tip over day 10"
    open_day $((52 * 4 + 10)) $((20 + 33 + 10)) && turned memo_box "$5" && screenshot "theme-editor-$1" >/dev/null
    xdotool key Escape && wait_for 10 window_gone "^$editor\$" || fail "the editor stayed after Esc"
    open_exit_dialog && wait_for 10 probe center 1000 '提示' && screenshot "theme-exit-$1" >/dev/null
    xdotool key Escape && wait_for 10 window_gone '^提示$' || fail "the exit dialog stayed after Esc"
}
start_december() {
    start_app && probe select 126 11 >/dev/null && sleep 0.5
    [ "$(probe month)" = "2026 12" ] || fail "not on December 2026"
}

clean_registry
set_mode 1
reg_set "$settings_key" MemoShow 1
start_app && end_app # makes the memo folder
memo=$(memo_folder)/日历/202612
memo_hex 10 '牙医' 20206001 | xxd -r -p >"$memo" # a dark fill the user picked: its number turns white
start_december
look light 245,245,230 255,255,255 255,255,0 255,255,255

set_mode 0 && probe themechange
look dark 40,40,44 45,45,45 64,58,18 45,45,45

# Wine keeps a running program's system colours as they were (Windows does not): the switch shows in
# the first cell, which turns the window colour, and High Contrast Black from the next start.
probe highcontrast on
turned cell 255,255,255
end_app && start_december
look contrast 0,0,0 0,0,0 0,0,0 0,0,0
probe highcontrast off
turned cell 40,40,44 && turned page 45,45,45

end_app && start_december # in the scheme's colours again
set_mode 1 && probe themechange
turned cell 245,245,230 && turned page 255,255,255

echo "== the setting over the system: \"1\" stays light when the system goes dark"
reg_set "$settings_key" Theme 1
set_mode 0 && probe themechange
turned cell 245,245,230
end_app
rm -f "$memo"
set_mode 1 # the scripts after this one expect the light app mode
finish
