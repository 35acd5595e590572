#!/usr/bin/env bash
# Holiday schedules fetched by the real calendar under Wine from a server on 127.0.0.1 that this
# script starts (holiday_server.py), serving made-up files of this year and the next: the marks show
# on the page already on screen within seconds of start; the files are kept and shown by a start with
# the server gone; a restart does not ask again; "更新节假日" tells each outcome; a bad reply changes
# nothing; a hung server never freezes the window; HolidayUpdate "0" asks nothing.
#   holiday_fetch.sh LUNORIA_EXE PROBE_EXE
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"

served=$(mktemp -d "${TMPDIR:-/tmp}/holidays.XXXXXX")
mkdir -p "$served/files"
echo answer >"$served/mode"
python3 "$(dirname "$0")/holiday_server.py" "$served" &
server_pid=$!
previous_exit=$(trap -p EXIT | sed -E "s/^trap -- '(.*)' EXIT$/\1/")
trap "kill $server_pid 2>/dev/null; $previous_exit" EXIT
for i in $(seq 50); do [ -s "$served/port" ] && break; sleep 0.1; done
port=$(cat "$served/port" 2>/dev/null) || { echo "the holiday server did not start"; exit 1; }
requests() { cat "$served/count" 2>/dev/null || echo 0; }
ms_since() { echo $((($(date +%s%N) - $1) / 1000000)); }

# This year's file marks days 15 (休) and 16 (班) of this month; next year's gives this year's last day.
Y=$(date +%Y) M=$(date +%m)
day() { printf '{"name":"%s","date":"%s","isOffDay":%s}' "$@"; }
printf '{"year":%d,"papers":["https://example.com/notice"],"days":[%s,%s]}' "$Y" "$(day 测试节 "$Y-$M-15" true)" \
    "$(day 测试节 "$Y-$M-16" false)" >"$served/files/$Y.json"
printf '{"year":%d,"papers":[],"days":[%s,%s]}' $((Y + 1)) "$(day 元旦 "$Y-12-31" true)" \
    "$(day 元旦 "$((Y + 1))-01-01" true)" >"$served/files/$((Y + 1)).json"

rest='#DC0000' work='#505050' # the marks' colours
# ink COLOUR YEAR MONTH DAY: pixels of COLOUR on screen in the day's mark box.
ink() {
    local shot=$LUNORIA_WINE_ROOT/holiday-fetch.png x y row
    read -r x y _ <<<"$(probe rect)"
    row=$((($(date -d "$2-$3-01" +%w) + ${4#0} - 1) / 7))
    x=$((x + 52 * $(date -d "$2-$3-$4" +%w) + 38)) y=$((y + 22 + 21 + 33 * row + 1))
    import -window root "$shot" 2>/dev/null
    convert "$shot" -crop "12x12+$x+$y" txt:- | grep -ci "$1"
}
is_marked() { [ "$(ink "$@")" -gt 15 ]; }
marked() { is_marked "$@" && echo "ok: $2-$3-$4 marked" || fail "no mark on $2-$3-$4"; }
# update_now: "更新节假日", the second item of the grid's right-click menu; then the text it tells.
box='更新节假日'
update_now() {
    local x y
    read -r x y _ <<<"$(probe rect)"
    xdotool mousemove $((x + 120)) $((y + 102)) sleep 0.2 click 3
    wait_for 10 probe menu || { fail "no menu after a right-click"; return 1; }
    set -- $(probe menu)
    xdotool mousemove $(($1 + $3 / 2)) $(($2 + $4 * 3 / 4)) sleep 0.2 click 1
}
# tells TEXT: the message box says TEXT (in one of its lines); then it is closed.
tells() {
    local said
    wait_for 40 window_shown "^$box\$" || { fail "no message for '$1'"; return 1; }
    said=$(probe texts "$box")
    grep -qF "$1" <<<"$said" && echo "ok: it tells '$1'" || fail "expected '$1', it tells '$said'"
    click_item 1 "$box" || click_item 2 "$box"
    wait_for 10 window_gone "^$box\$" || fail "the message stayed"
}

echo "== fetched about ten seconds after start, onto the page on screen"
clean_registry
reg_set "$settings_key" HolidaySource "http://127.0.0.1:$port/{year}.json"
started=$(date +%s%N)
start_app
check_eq "no mark before the fetch" 0 "$(ink $rest $Y $M 15)"
if wait_for 40 is_marked $rest $Y $M 15; then
    echo "ok: the fetched 休 shows $(ms_since "$started") ms after start"
else
    fail "the fetched 休 did not show"
fi
echo "the second request came $((($(stat -c %.9Y "$served/count" | tr -d .) - started) / 1000000)) ms after start"
marked $work $Y $M 16
check_eq "requests: this year and the next" 2 "$(requests)"
grep -qx "User-Agent: Lunoria/[0-9.]*" <(tr -d '\r' <"$served/requests") && echo "ok: a plain User-Agent" ||
    fail "User-Agent: $(grep -i user-agent "$served/requests")"
grep -qi 'cookie' "$served/requests" && fail "a cookie was sent"
kept="$(memo_folder)/节假日"
cmp -s "$kept/$Y.json" "$served/files/$Y.json" && cmp -s "$kept/$((Y + 1)).json" "$served/files/$((Y + 1)).json" &&
    echo "ok: both files kept" || fail "the files are not kept in $kept"
screenshot holiday-fetch-shown
if [ "$M" = 12 ]; then marked $rest $Y 12 31; fi # next year's file gives this December its eve

echo "== 更新节假日 tells each outcome"
update_now && tells "已更新：${Y}年、$((Y + 1))年"
printf '{"year":%d,"papers":[],"days":[]}' $((Y + 1)) >"$served/files/$((Y + 1)).json"
update_now && tells "$((Y + 1))年的放假安排尚未公布"
cmp -s "$kept/$((Y + 1)).json" "$served/files/$((Y + 1)).json" && fail "an empty schedule replaced the kept one"
echo '{"year":' >"$served/files/$Y.json" # a bad reply
echo 500 >"$served/mode"
update_now && tells "无法连接：http://127.0.0.1:$port/$((Y + 1)).json: status 500"
echo answer >"$served/mode"
update_now && tells "无法连接：http://127.0.0.1:$port/$Y.json: not JSON"
marked $rest $Y $M 15
grep -q 测试节 "$kept/$Y.json" && echo "ok: the bad replies changed nothing" || fail "the kept file changed"

echo "== a hung server never freezes the window"
echo hang >"$served/mode"
asked=$(requests)
update_now
wait_for 10 eval '[ "$(requests)" -gt '"$asked"' ]' || fail "no request to the hung server"
set -- $(probe ping 5)
worst=${1:-none}
awk -v w="$worst" 'BEGIN { exit !(w + 0 < 100 && w != "none") }' && echo "ok: answered within $worst ms while it hangs" ||
    fail "the calendar answered in $worst ms"
echo answer >"$served/mode"
tells "无法连接：" # the held request ends without a reply
end_app

echo "== a second start with the server gone shows the kept marks at once"
reg_set "$settings_key" HolidaySource "http://127.0.0.1:9/{year}.json"
start_app
marked $rest $Y $M 15
end_app

echo "== a restart within the day asks nothing; HolidayUpdate \"0\" asks nothing at all"
reg_set "$settings_key" HolidaySource "http://127.0.0.1:$port/{year}.json"
asked=$(requests)
start_app
sleep 14
check_eq "requests after a restart" "$asked" "$(requests)"
end_app
reg_del "$settings_key" HolidayAsked
reg_set "$settings_key" HolidayUpdate 0
start_app
sleep 14
update_now && tells "节假日更新已由管理员关闭（HolidayUpdate）。"
check_eq "requests with HolidayUpdate 0" "$asked" "$(requests)"
finish
