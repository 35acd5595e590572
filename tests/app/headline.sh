#!/usr/bin/env bash
# The headline line of the real calendar under Wine, against a headline server on 127.0.0.1 that
# this script starts (headline_server.py): nothing is asked without a configured server; the line
# and "下一篇" appear after the third tick; "下一篇" asks again; a link that is no web address is
# never started; a server that never answers leaves the calendar answering and does not hold up
# its end; any static web server (Python's http.server) serves it from a file.
#   headline.sh LUNORIA_EXE PROBE_EXE
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"

served=$(mktemp -d "${TMPDIR:-/tmp}/headline.XXXXXX")
echo answer >"$served/mode"
python3 "$(dirname "$0")/headline_server.py" "$served" &
server_pid=$!
previous_exit=$(trap -p EXIT | sed -E "s/^trap -- '(.*)' EXIT$/\1/")
trap "kill $server_pid 2>/dev/null; $previous_exit" EXIT
for i in $(seq 50); do [ -s "$served/port" ] && break; sleep 0.1; done
port=$(cat "$served/port" 2>/dev/null) || { echo "the headline server did not start"; exit 1; }

# The headline's link is one the shell would run: a batch file that leaves a mark.
mark="$WINEPREFIX/drive_c/lunoria-mark.txt"
printf 'echo started > C:\\lunoria-mark.txt\r\n' >"$WINEPREFIX/drive_c/lunoria-mark.bat"
printf '\r\n*C:\\lunoria-mark.bat\t农历头条 A&B 测试' | iconv -f UTF-8 -t GB18030 >"$served/body"

requests() { cat "$served/count" 2>/dev/null || echo 0; }
requests_are() { [ "$(requests)" = "$1" ]; }
ms_since() { echo $((($(date +%s%N) - $1) / 1000000)); }

echo "== no server configured: nothing is asked, nothing shows"
clean_registry
start_app
sleep 5
check_eq "requests without a server" "0" "$(requests)"
item_shown 1053 && fail "headline shown without a server"
item_shown 1054 && fail "下一篇 shown without a server"
end_app

echo "== a server on 127.0.0.1:$port"
reg_set "$settings_key" HeadlineHost 127.0.0.1
reg_set "$settings_key" HeadlinePort "$port"
started=$(date +%s%N)
start_app
if wait_for 15 item_shown 1053; then
    echo "ok: the headline shows $(ms_since "$started") ms after start"
else
    fail "no headline"
fi
item_shown 1054 && echo "ok: 下一篇 shows" || fail "下一篇 missing"
check_eq "one request" "1" "$(requests)"
expected=$(printf 'GET /link230/ HTTP/1.1\r\nHost:127.0.0.1\r\nVer:1.2\r\n\r\n' | od -An -c | tr -s ' ')
check_eq "the request bytes" "$expected" "$(od -An -c "$served/requests" | tr -s ' ')"
screenshot app-headline

echo "== 下一篇 asks again"
click_item 1054
wait_for 10 requests_are 2 && echo "ok: a second request" || fail "下一篇 made no request ($(requests))"

echo "== a link that is no web address starts nothing"
click_item 1053
sleep 3
[ -e "$mark" ] && fail "the headline's link was started" || echo "ok: nothing started"

echo "== a server that never answers"
echo hang >"$served/mode"
click_item 1054
wait_for 10 requests_are 3 || fail "no request to the silent server"
click_item 1054 # while one exchange runs, a click starts no other
answers_quickly 11 # while the exchange hangs
check_eq "requests after a click during the exchange" "3" "$(requests)"
item_shown 1053 && echo "ok: the headline stays after the time-out" || fail "the headline went"

echo "== ending while an exchange hangs"
click_item 1054
wait_for 10 requests_are 4 || fail "no request for the last exchange"
click_item 1001
if wait_for 10 probe center 1000 '提示'; then
    set -- $(probe center 1000 '提示')
    clicked=$(date +%s%N)
    xdotool mousemove "$1" "$2" click 1
    while kill -0 "$app_pid" 2>/dev/null && [ "$(ms_since "$clicked")" -lt 10000 ]; do sleep 0.02; done
    took=$(ms_since "$clicked")
    echo "ended $took ms after 结束程序 (polled every 20 ms)"
    [ "$took" -lt 1000 ] && echo "ok: under 1 s" || fail "ending took $took ms"
    wait "$app_pid" 2>/dev/null
    app_pid=
else
    fail "no exit dialog"
fi
echo answer >"$served/mode"

echo "== any static web server: python3 -m http.server, the file link230/index.html"
mkdir -p "$served/www/link230"
serve() { printf '*https://example.com/%s\t%s' "$1" "$2" | iconv -f UTF-8 -t GB18030 >"$served/www/link230/index.html"; }
serve 1 '静态头条一'
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$served/www" >"$served/www.log" 2>&1 &
trap "kill $server_pid $! 2>/dev/null; $previous_exit" EXIT
wait_for 10 grep -q ' port ' "$served/www.log" || fail "http.server did not start"
reg_set "$settings_key" HeadlinePort "$(sed -nE 's/.* port ([0-9]+) .*/\1/p' "$served/www.log" | head -1)"
start_app
wait_for 15 item_shown 1053 || fail "no headline from http.server"
check_eq "the title" "静态头条一" "$(probe text 1053)"
check_eq "the next link" "下一篇" "$(probe text 1054)"
serve 2 '静态头条二'
click_item 1054
title_is() { [ "$(probe text 1053)" = "$1" ]; }
wait_for 10 title_is '静态头条二' && echo "ok: the changed file after 下一篇" || fail "after 下一篇: '$(probe text 1053)'"
check_eq "answered GETs of /link230/" 2 "$(grep -c '"GET /link230/ HTTP/1.1" 200' "$served/www.log")"
finish
