#!/usr/bin/env bash
# The calendar without a mouse from the first start (keys.sh LUNORIA_EXE PROBE_EXE): the wheel, typed years, Tab to
# the grid and its keys, its accessible name; no focus rectangle where no key was used or once the focus left.
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
source "$(dirname "$0")/memo_lib.sh"

clean_registry
start_app
sleep 1
set -- $(probe rect)
x0=$1 y0=$2 wid=$(xdotool search --onlyvisible --name '日历2\.162' | head -1) shots=$LUNORIA_SCREENSHOT_DIR
today=$(probe month) day=$((10#$(date +%d)))
read -r year month <<<"$today"
# The grid's part of the screen, without the lists (their caret blinks).
shot_grid() { screenshot "$1" >/dev/null && convert "$shots/$1.png" -crop "363x236+$x0+$((y0 + 22))" +repage \
    "$shots/$1-grid.png"; }
named() { [[ $(probe text 107) == "$1"* ]] && echo "ok: named $1" || fail "the grid is named '$(probe text 107)'"; }
keys() { xdotool windowfocus --sync "$wid" key --delay 150 "$@" && sleep 0.5; }
typed() { keys End shift+Home && xdotool type "$1" && keys "$2"; } # TEXT KEY, in the list with the focus
opens() { # TITLE TEXT: that dialog shows a text that begins so (the editor's date line), then is cancelled
    wait_for 10 window_shown "^$1\$" && probe texts "$1" | grep -q "^$2" && echo "ok: $1 $2" || fail "no $1 $2"
    click_item 2 "$1" && wait_for 10 window_gone "^$1\$" || fail "$1 stayed"
}
shot_grid keys-untouched
named "${year}年${month}月${day}日 星期"

echo "== the wheel over the grid, the focus in the year list"
xdotool mousemove $((x0 + 180)) $((y0 + 140))
for button in 5 5 4 4 4; do sleep 0.3 && xdotool click $button; done
sleep 0.5
check_eq "two notches down, three up" "$(month_after $today -1)" "$(probe month)"
# Windows 7 sends the wheel to the focus window, the year list, which would turn its own year.
probe wheel -60 && probe wheel -60 && probe wheel 120 && probe wheel 120 && sleep 0.5
check_eq "sent to the year list: two half notches down, two up" "$(month_after $today -2)" "$(probe month)"
m1=$(probe month | cut -d' ' -f2)

echo "== typed into the year list"
typed 2030 Return
check_eq "2030, Enter" "2030 $m1" "$(probe month)"
typed abc Return
check_eq "abc, Enter changes nothing, puts the year back" "2030 $m1 2030年" "$(probe month) $(probe text 1034)"
typed 2031 Tab
check_eq "2031, then Tab (to the month list)" "2031 $m1" "$(probe month)"

echo "== the grid's keys"
keys Tab Home
check_eq "Tab reaches the grid, Home shows today" "$today" "$(probe month)"
n=$((15 - day)) arrows=()
for ((i = 0; i < ${n#-}; i++)); do arrows+=("$([ "$n" -gt 0 ] && echo Right || echo Left)"); done
keys "${arrows[@]}" Return
opens "$editor" "${year}年${month}月15日"
keys Next Next space
read -r y2 m2 <<<"$(month_after $today 2)"
opens "$editor" "${y2}年${m2}月15日"
keys Home ctrl+Return
names=日一二三四五六
opens "$weekly" "每周${names:$(date +%w):1}"
check_eq "Home comes back to today" "$today" "$(probe month)"
named "${year}年${month}月${day}日 "

echo "== the focus rectangle: on today's page while the grid has the focus, and only then"
shot_grid keys-focused
keys shift+Tab
shot_grid keys-left
changed() { compare -metric AE "$shots/keys-untouched-grid.png" "$shots/$1-grid.png" null: 2>&1; }
[ "$(changed keys-focused)" -gt 40 ] && echo "ok: the focused grid shows it" || fail "no focus rectangle"
check_eq "the grid left is the untouched page" 0 "$(changed keys-left)"
finish
