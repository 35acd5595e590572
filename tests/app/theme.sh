#!/usr/bin/env bash
# The calendar follows the system's app mode while it runs: AppsUseLightTheme turned to 0 and the
# broadcast Windows sends with it turn the calendar, the notepad and the 本 tab dark within a second,
# and back; the Theme setting "1" keeps it light. Screenshots: theme-light, theme-dark, theme-exit-dark.
#   theme.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"

personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
set_mode() { timeout -k 5 30 wine reg add "$personalize" /v AppsUseLightTheme /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
# pixel X Y: the screen's colour there as "r,g,b".
pixel() {
    local shot=$LUNORIA_WINE_ROOT/pixel.png
    timeout -k 2 20 import -window root "$shot" >/dev/null 2>&1
    convert "$shot" -format '%[fx:int(255*p{'"$1,$2"'}.r)],%[fx:int(255*p{'"$1,$2"'}.g)],%[fx:int(255*p{'"$1,$2"'}.b)]' info:
}
# Where to look: the first cell of the grid, the notepad's page, the middle of the 本 tab's frame.
cell() { set -- $(probe rect); echo "$(($1 + 3)) $(($2 + 22 + 50))"; }
page() { set -- $(probe companion notepad); echo "$(($1 + $3 - 30)) $(($2 + $4 - 20))"; }
turned() { # WHAT EXPECTED: polled for a second
    local i got
    for i in 1 2 3 4 5; do
        got=$(pixel $($1)) && [ "$got" = "$2" ] && { echo "ok: $1 is $2"; return 0; }
        sleep 0.2
    done
    fail "$1 is $got, not $2"
}

clean_registry
set_mode 1
reg_set "$settings_key" MemoShow 1
start_app
turned cell 245,245,230
screenshot theme-light >/dev/null

set_mode 0
probe themechange
turned cell 40,40,44
turned page 45,45,45
screenshot theme-dark >/dev/null
open_exit_dialog && wait_for 10 probe center 1000 '提示'
screenshot theme-exit-dark >/dev/null
xdotool key Escape
sleep 0.5

set_mode 1
probe themechange
turned cell 245,245,230
turned page 255,255,255

# The setting over the system: "1" stays light when the system goes dark.
reg_set "$settings_key" Theme 1
set_mode 0
probe themechange
turned cell 245,245,230

end_app
set_mode 1 # the scripts after this one expect the light app mode
finish
