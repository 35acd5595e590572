#!/usr/bin/env bash
# The settings dialog as a user drives it: opened from the grid's menu, every setting changed and
# "确定": the registry holds them and the running calendar follows at once (holiday marks, headline
# fetch, log-on entry, not put back at the next start); "取消" changes nothing; a bad port is refused
# with the field named and kept as typed; a second "设置…" brings the open one to the front.
#   settings.sh LUNORIA_EXE PROBE_EXE
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
dialog='设置'

served=$(mktemp -d "${TMPDIR:-/tmp}/settings.XXXXXX")
echo answer >"$served/mode"
printf '*https://example.com/1\ttitle' >"$served/body"
python3 "$(dirname "$0")/headline_server.py" "$served" &
trap "kill $! 2>/dev/null" EXIT
for i in $(seq 50); do [ -s "$served/port" ] && break; sleep 0.1; done
port=$(cat "$served/port")
requests() { cat "$served/count" 2>/dev/null || echo 0; }
requests_are() { [ "$(requests)" = "$1" ]; }

# Red 休 pixels in the grid of October 2026, whose first days are holidays.
rest_ink() {
    local x y
    probe select 126 9 >/dev/null && sleep 0.5
    read -r x y _ <<<"$(probe rect)"
    import -window root "$served/shot.png" 2>/dev/null
    convert "$served/shot.png" -crop "363x236+$x+$((y + 22))" txt:- | grep -ci '#DC0000'
}
registry() { # the values the dialog writes, one line
    local name
    for name in Autostart ShowHolidays HolidayUpdate Theme TrayIcon RemindDays HeadlineHost HeadlinePort; do
        printf '%s=%s ' "$name" "$(reg_get "$settings_key" "$name")"
    done
    reg_get "$run_key" Lunoria >/dev/null && echo run || echo no-run
}
in_dialog() { xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$dialog\$" | head -1)"; }
type_into() { click_item "$1" "$dialog" && in_dialog && xdotool key ctrl+a BackSpace type --delay 50 "$2"; sleep 0.2; }
press() { click_item "$1" "$dialog"; }
closed() { wait_for 10 window_gone "^$dialog\$" && echo "ok: $1" || fail "$1: the dialog stayed"; }

clean_registry
reg_set "$settings_key" HeadlineHost 127.0.0.1
reg_set "$settings_key" HeadlinePort "$port"
start_app
wait_for 15 item_shown 1053 || fail "no headline at start"
[ "$(rest_ink)" -gt 15 ] || fail "no 休 in October 2026 at start"
before=$(registry)
check_eq "the registry at start" "Autostart= ShowHolidays= HolidayUpdate= Theme= TrayIcon= RemindDays= \
HeadlineHost=127.0.0.1 HeadlinePort=$port run" "$before"

echo "== what it shows; 取消 keeps nothing"
open_settings
screenshot settings-96
check_eq "the host" 127.0.0.1 "$(probe text 1113 "$dialog")"
check_eq "the port" "$port" "$(probe text 1114 "$dialog")"
check_eq "the memo folder" "$(winepath -w "$(memo_folder)" | tr -d '\r')" "$(probe text 1111 "$dialog")"
probe text 1106 "$dialog" | grep -q '2004–2026 年' && echo "ok: the holiday years" || fail "years: $(probe text 1106 "$dialog")"
in_dialog && xdotool key alt+p && sleep 0.3
check_eq "Alt+P reaches the port" 1114 "$(probe focus)"
press 1101 && press 1103 && press 1109 && type_into 1113 example.org
press 2
closed "取消"
check_eq "the registry after 取消" "$before" "$(registry)"

echo "== a bad port is refused, named, and kept"
open_settings
for bad in abc 70000; do
    type_into 1114 "$bad"
    press 1
    wait_for 10 window_shown '^设置没有保存$' || fail "no message for port $bad"
    probe texts '设置没有保存' | grep -q '头条服务器端口' && echo "ok: the message names the port" || fail "message"
    click_item 1 '设置没有保存' && wait_for 10 window_gone '^设置没有保存$' || fail "the message stayed"
    check_eq "the port as typed" "$bad" "$(probe text 1114 "$dialog")"
    check_eq "the focus on the port" 1114 "$(probe focus)"
done
check_eq "the registry after a refused port" "$before" "$(registry)"

echo "== a second 设置… brings the open one to the front"
probe command 40002 && sleep 1
check_eq "one 设置 dialog" 1 "$(xdotool search --onlyvisible --name "^$dialog\$" | wc -l)"

echo "== every setting changed, 确定"
for id in 1101 1102 1103 1104 1109; do press $id; done # the four boxes off, 深色
click_item 1110 "$dialog" && in_dialog && xdotool key End Return # 不提醒
type_into 1113 ''
type_into 1114 8081
n=$(requests)
press 1
closed "确定"
check_eq "the registry after 确定" "Autostart=0 ShowHolidays=0 HolidayUpdate=0 Theme=2 TrayIcon=0 RemindDays=-1 \
HeadlineHost= HeadlinePort=8081 no-run" "$(registry)"
check_eq "休 after 确定" 0 "$(rest_ink)"
item_shown 1053 && fail "the headline stayed without a server" || echo "ok: the headline went"
sleep 3
check_eq "requests without a server" "$n" "$(requests)"
after=$(registry)
open_settings && press 1
closed "确定 of the dialog as it opened"
check_eq "the registry read back and written again" "$after" "$(registry)"

echo "== the server and the marks back, without a restart"
open_settings
press 1103
type_into 1113 127.0.0.1
type_into 1114 "$port"
press 1
closed "确定"
wait_for 10 requests_are $((n + 1)) && echo "ok: the server is asked at once" || fail "no request ($(requests))"
wait_for 10 item_shown 1053 && echo "ok: the headline is back" || fail "no headline"
[ "$(rest_ink)" -gt 15 ] && echo "ok: 休 is back" || fail "no 休 after turning them on"

echo "== the log-on entry stays off at the next start"
end_app
start_app
sleep 1
reg_get "$run_key" Lunoria >/dev/null && fail "the log-on entry was put back" || echo "ok: no log-on entry"
finish
