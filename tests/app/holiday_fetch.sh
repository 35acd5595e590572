#!/usr/bin/env bash
# Holiday schedules fetched by the real calendar from a server on 127.0.0.1 (holiday_server.py) that
# serves made-up files of this year and the next: the marks show on the page on screen within seconds
# of start and from the kept files with the server gone; a restart asks nothing; "更新节假日" tells each
# outcome; bad replies change nothing; a hung server never freezes the window; HolidayUpdate "0" asks
# nothing.   holiday_fetch.sh LUNORIA_EXE PROBE_EXE
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"

served=$(mktemp -d "${TMPDIR:-/tmp}/holidays.XXXXXX")
mkdir -p "$served/files" && echo answer >"$served/mode" && touch "$served/requests"
python3 "$(dirname "$0")/holiday_server.py" "$served" &
previous_exit=$(trap -p EXIT | sed -E "s/^trap -- '(.*)' EXIT$/\1/")
trap "kill $! 2>/dev/null; $previous_exit" EXIT
wait_for 5 test -s "$served/port" || { echo "the holiday server did not start"; exit 1; }
port=$(cat "$served/port") box='更新节假日' rest='#DC0000' work='#505050' # the marks' colours
requests() { grep -c '^GET ' "$served/requests"; }

# This year's file marks days 15 (休) and 16 (班) of this month; next year's gives this year's last day.
Y=$(date +%Y) M=$(date +%m) N=$(($(date +%Y) + 1))
day() { printf '{"name":"%s","date":"%s","isOffDay":%s}' "$@"; }
printf '{"year":%d,"papers":["https://example.com/1"],"days":[%s,%s]}' $Y "$(day 测试节 $Y-$M-15 true)" \
    "$(day 测试节 $Y-$M-16 false)" >"$served/files/$Y.json"
printf '{"year":%d,"papers":[],"days":[%s]}' $N "$(day 元旦 $Y-12-31 true)" >"$served/files/$N.json"

# ink COLOUR YEAR MONTH DAY: pixels of COLOUR on screen in the day's mark box (as holidays.sh counts).
ink() {
    local x y row=$((($(date -d "$2-$3-01" +%w) + ${4#0} - 1) / 7))
    read -r x y _ <<<"$(probe rect)"
    import -window root png:- 2>/dev/null |
        convert - -crop "12x12+$((x + 52 * $(date -d "$2-$3-$4" +%w) + 38))+$((y + 44 + 33 * row))" txt:- | grep -ci "$1"
}
is_marked() { [ "$(ink "$@")" -gt 15 ]; }
marked() { is_marked "$@" && echo "ok: $2-$3-$4 marked" || fail "no mark on $2-$3-$4"; }
# update_tells TEXT: "更新节假日" (the middle one of the grid's three menu items) tells TEXT in a line; closed after.
update_tells() {
    local x y said
    read -r x y _ <<<"$(probe rect)"
    xdotool mousemove $((x + 120)) $((y + 102)) sleep 0.2 click 3
    wait_for 10 probe menu && set -- "$1" $(probe menu) || { fail "no menu"; return 1; }
    xdotool mousemove $(($2 + $4 / 2)) $(($3 + $5 / 2)) sleep 0.2 click 1
    [ -z "${hang:-}" ] || hang_check
    wait_for 40 window_shown "^$box\$" || { fail "no message for '$1'"; return 1; }
    said=$(probe texts "$box")
    grep -qF "$1" <<<"$said" && echo "ok: it tells '$1'" || fail "expected '$1', it tells '$said'"
    click_item 1 "$box" && wait_for 10 window_gone "^$box\$" || fail "the message stayed"
}

clean_registry
reg_set "$settings_key" HolidaySource "http://127.0.0.1:$port/{year}.json"
started=$(date +%s)
start_app
[ "$(ink $rest $Y $M 15)" = 0 ] || fail "a mark before the fetch"
wait_for 40 is_marked $rest $Y $M 15 && echo "ok: the fetched 休 shows $(($(date +%s) - started)) s after start" ||
    fail "the fetched 休 did not show"
marked $work $Y $M 16
[ "$M" != 12 ] || marked $rest $Y 12 31 # next year's file gives this December its last day
check_eq "requests: this year and the next" 2 "$(requests)"
grep -qx "User-Agent: Lunoria/[0-9.]*" <(tr -d '\r' <"$served/requests") && ! grep -qi cookie "$served/requests" &&
    echo "ok: a plain User-Agent, no cookie" || fail "the request headers: $(cat "$served/requests")"
kept="$(memo_folder)/节假日"
cmp -s "$kept/$Y.json" "$served/files/$Y.json" && cmp -s "$kept/$N.json" "$served/files/$N.json" &&
    echo "ok: both files kept" || fail "the files are not kept in $kept"

update_tells "已更新：${Y}年、${N}年"
printf '{"year":%d,"papers":[],"days":[]}' $N >"$served/files/$N.json"
update_tells "${N}年的放假安排尚未公布"
cmp -s "$kept/$N.json" "$served/files/$N.json" && fail "an empty schedule replaced the kept one"
echo '{"year":' >"$served/files/$Y.json"
update_tells "无法连接：http://127.0.0.1:$port/$Y.json: not JSON"
echo 500 >"$served/mode"
update_tells "无法连接：http://127.0.0.1:$port/$N.json: status 500"
hang_check() {
    wait_for 10 eval '[ "$(requests)" -gt '"$asked"' ]' || fail "no request to the hung server"
    answers_quickly 5
    echo answer >"$served/mode"
}
asked=$(requests) && echo hang >"$served/mode"
hang=1 update_tells "无法连接：http://127.0.0.1:$port/$Y.json: not JSON"
marked $rest $Y $M 15
check_that "the kept file is unchanged" grep -q 测试节 "$kept/$Y.json"
end_app

reg_set "$settings_key" HolidaySource "http://127.0.0.1:9/{year}.json"
start_app && marked $rest $Y $M 15 && end_app
reg_set "$settings_key" HolidaySource "http://127.0.0.1:$port/{year}.json"
asked=$(requests)
start_app && sleep 14 && end_app
check_eq "requests after a restart" "$asked" "$(requests)"

reg_del "$settings_key" HolidayAsked && reg_set "$settings_key" HolidayUpdate 0 && start_app && sleep 14
update_tells "节假日更新已关闭，可在“设置”里打开“自动更新节假日”。"
check_eq "requests with HolidayUpdate 0" "$asked" "$(requests)"
finish
