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
# A first start makes the memo folder.
start_app_at "2026-12-09 12:00:00" && end_app
# held.sh may have left the documents folder on D: in a shared prefix.
folder=$(memo_folder)
[ -n "$folder" ] || folder=$(find -L "${LUNORIA_WINE_ROOT:-/none}/drive-d" -name '我的记事' -type d 2>/dev/null | head -1)
[ -n "$folder" ] || { fail "no memo folder"; finish; }
# 2026-12-10 is 十一月初二; 十一月初五 is three days on.
memo_hex 10 '开会' 00000000 | xxd -r -p >"$folder/日历/202612"
memo_hex 5 '妈妈生日' 00000000 | xxd -r -p >"$folder/日历/011"
reg_set "$settings_key" RemindDays 3

balloon_text() { probe balloons | tr '\n' '#'; }
has_balloon() { [ -n "$(probe balloons)" ]; }
icon_at() { set -- $(probe tray); [ "${1:-}" != "-" ] && echo "$1 $2"; }
click_icon() { local at; at=$(icon_at) || return 1; set -- $at; xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.5; }

start_app_at "2026-12-10 09:00:00"
if wait_for 15 has_balloon; then
    check_eq "one notification with both memos" "今天：开会|3天后（农历十一月初五）：妈妈生日#" "$(balloon_text)"
else
    fail "no notification at the first start of the day"
fi
check_eq "the day counts as told" "2026-12-10" "$(reg_get "$settings_key" RemindedOn)"
wait_for 10 icon_at || fail "no icon in the tray"
tip=$(probe tray | cut -d' ' -f3-)
check_eq "the tooltip names today" "2026年12月10日 星期四|农历十一月初二|今天有1条记事" "$tip"
screenshot tray-balloon

echo "== a click on the icon: the calendar in front hides, a hidden one shows"
hidden() { [ "$(probe shown)" = 0 ]; }
click_icon
if wait_for 5 hidden; then echo "ok: the calendar in front hides"; else fail "the calendar did not hide"; fi
click_icon
if wait_for 5 probe wait 0; then echo "ok: the hidden calendar shows again"; else fail "the calendar stayed hidden"; fi
end_app

start_app_at "2026-12-10 18:00:00"
wait_for 10 icon_at || fail "no icon after the second start"
sleep 3
check_eq "no second notification the same day" "" "$(balloon_text)"
end_app

echo "== past midnight"
start_app_at "2026-12-31 23:59:52"
wait_for 10 icon_at || fail "no icon"
new_day() { probe tray | grep -q '2027年1月1日 星期五'; }
if wait_for 25 new_day; then echo "ok: the tooltip names the new day"; else fail "tooltip: $(probe tray)"; fi
check_eq "the page moved" "2027 1" "$(probe month)"
case "$(probe text 107)" in
*2027年1月1日*今天*) echo "ok: the ring is on the new day" ;;
*) fail "the grid's focus day: $(probe text 107)" ;;
esac
finish
