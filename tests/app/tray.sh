#!/usr/bin/env bash
# The notification-area icon and the daily reminder on Wine's tray, on a faked clock: the icon's
# tooltip names today; a memo today and a lunar one three days on (RemindDays 3) give one notification
# with both lines, a second start that day none; a click hides the calendar in front and shows it
# again; past midnight page, ring and tooltip name the new day. TRAY_SHOT_EXE first saves the icon's
# pictures (tray-<dpi>-<light|dark>.png) beside the screenshots.
#   tray.sh LUNORIA_EXE PROBE_EXE [TRAY_SHOT_EXE]
set -uo pipefail
shot_exe=${3:-}
set -- "$1" "$2"
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/memo_lib.sh"

if [ -n "$shot_exe" ]; then
    dir=${LUNORIA_SCREENSHOT_DIR:-${TMPDIR:-/tmp}}
    mkdir -p "$dir"
    timeout -k 5 60 wine "$shot_exe" 10 "$(timeout -k 5 30 winepath -w "$dir" 2>/dev/null | tr -d '\r')" 2>/dev/null | tr -d '\r' |
        while read -r name size; do
            convert -size "${size}x$size" -depth 8 "rgba:$dir/$name.rgba" "$dir/$name.png" && rm "$dir/$name.rgba"
            echo "picture: $dir/$name.png (${size}x$size)"
        done
fi

clean_registry
documents_at_home
# A first start makes the memo folder.
start_app_at "2026-12-09 12:00:00" && end_app
folder=$(memo_folder)
[ -n "$folder" ] || { fail "no memo folder"; finish; }
# 2026-12-10 is 十一月初二; 十一月初五 is three days on.
memo_hex 10 '开会' 00000000 | xxd -r -p >"$folder/日历/202612"
memo_hex 5 '妈妈生日' 00000000 | xxd -r -p >"$folder/日历/011"
reg_set "$settings_key" RemindDays 3

balloon_text() { probe balloons | tr '\n' '#'; }
has_balloon() { [ -n "$(probe balloons)" ]; }
icon_at() { set -- $(probe tray); [ "${1:-}" != "-" ] && echo "$1 $2"; }
click_icon() { local at; at=$(icon_at) || return 1; set -- $at; xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.5; }
hidden() { [ "$(probe shown)" = 0 ]; }
new_day() { probe tray | grep -q '2027年1月1日 星期五'; }
ring_on_new_day() { [[ $(probe text 107) == *2027年1月1日*今天* ]]; }

start_app_at "2026-12-10 09:00:00"
check_within 15 "a notification at the first start of the day" has_balloon &&
    check_eq "one notification with both memos" "今天：开会|3天后（农历十一月初五）：妈妈生日#" "$(balloon_text)"
check_eq "the day counts as told" "2026-12-10" "$(reg_get "$settings_key" RemindedOn)"
check_within 10 "an icon in the tray" icon_at
check_eq "the tooltip names today" "2026年12月10日 星期四|农历十一月初二|今天有1条记事" "$(probe tray | cut -d' ' -f3-)"
screenshot tray-balloon

echo "== a click on the icon: the calendar in front hides, a hidden one shows"
click_icon
check_within 5 "the calendar in front hides" hidden
click_icon
check_within 5 "the hidden calendar shows again" probe wait 0
end_app

start_app_at "2026-12-10 18:00:00"
check_within 10 "an icon after the second start" icon_at
sleep 3
check_eq "no second notification the same day" "" "$(balloon_text)"
end_app

echo "== past midnight"
start_app_at "2026-12-31 23:59:52"
check_within 10 "an icon" icon_at
check_within 25 "the tooltip names the new day" new_day || echo "  tooltip: $(probe tray)"
check_eq "the page moved" "2027 1" "$(probe month)"
check_that "the ring is on the new day" ring_on_new_day || echo "  the grid's focus day: $(probe text 107)"
finish
