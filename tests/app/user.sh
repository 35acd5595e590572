#!/usr/bin/env bash
# The calendar as a user meets it under Wine on a virtual screen: real pointer clicks on the
# month links, a pick in the lists, a drag of the window, screenshots.
#   user.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"

clean_registry
start_app
sleep 1
today="$(date +%Y) $((10#$(date +%m)))"
check_eq "starts at today's month" "$today" "$(probe month)"
screenshot app-first-start
set -- $(probe center 105)
check_eq "返回 hidden on today's month" "0" "${3:-}"

echo "== 下月 twice, then 返回"
click_item 1045
click_item 1045
check_eq "two months on" "$(month_after $today 2)" "$(probe month)"
set -- $(probe center 105)
check_eq "返回 shown on another month" "1" "${3:-}"
screenshot app-two-months-on
click_item 1044
check_eq "上月 goes back one" "$(month_after $today 1)" "$(probe month)"
click_item 105
check_eq "返回 comes back to today" "$today" "$(probe month)"

echo "== the lists and the ends of the range"
probe select 0 0
check_eq "January 1900 becomes February" "1900 2" "$(probe month)"
click_item 1044
check_eq "上月 on February 1900 stays" "1900 2" "$(probe month)"
probe select 148 11
click_item 1045
check_eq "下月 on December 2048" "2049 1" "$(probe month)"
probe select 149 11
click_item 1045
check_eq "下月 on December 2049 stays" "2049 12" "$(probe month)"
screenshot app-december-2049
click_item 105

echo "== drag the window by its background"
set -- $(probe rect)
x0=$1 y0=$2
# The strip under the grid is the window's own background.
px=$((x0 + 340)) py=$((y0 + 270))
xdotool mousemove "$px" "$py" mousedown 1
for step in 1 2 3 4 5 6; do
    sleep 0.1
    xdotool mousemove $((px - step * 100)) $((py - step * 20))
done
sleep 0.2
xdotool mouseup 1
sleep 0.5
set -- $(probe rect)
check_eq "dragged 600 left, 120 up" "$((x0 - 600)) $((y0 - 120))" "$1 $2"
end_app
check_eq "PosX after the drag" "$((x0 - 600))" "$(reg_get "$settings_key" PosX)"
check_eq "PosY after the drag" "$((y0 - 120))" "$(reg_get "$settings_key" PosY)"
start_app
set -- $(probe rect)
check_eq "the next start comes back there" "$((x0 - 600)) $((y0 - 120))" "$1 $2"

echo "== - minimises"
click_item 1000
sleep 0.5
check_eq "minimised" "1" "$(probe iconic)"
probe restore
sleep 0.5
check_eq "restored from the task bar" "0" "$(probe iconic)"
finish
