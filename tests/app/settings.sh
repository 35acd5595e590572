#!/usr/bin/env bash
# The settings dialog driven as a user does (settings.sh LUNORIA_EXE PROBE_EXE): "取消", a bad port, a second
# "设置…", every setting changed and "确定": the registry and the running calendar follow, a restart too.
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
dialog='设置' box='设置没有保存' served=$(mktemp -d "${TMPDIR:-/tmp}/settings.XXXXXX")
echo answer >"$served/mode" && printf '*https://example.com/1\ttitle' >"$served/body"
python3 "$(dirname "$0")/headline_server.py" "$served" &
trap "kill $! 2>/dev/null" EXIT
wait_for 5 test -s "$served/port" && port=$(cat "$served/port")
requests() { cat "$served/count" 2>/dev/null || echo 0; }
rest_ink() { # 休 pixels, light or dark, in the cells of 5 and 6 October 2026 (Monday, Tuesday: no festival)
    probe select 126 9 >/dev/null && sleep 0.5 && set -- $(probe rect)
    import -window root "$served/shot.png" 2>/dev/null
    convert "$served/shot.png" -crop "104x33+$(($1 + 52))+$(($2 + 22 + 53))" txt:- | grep -ciE '#DC0000|#FF6E6E'
}
icon() { [ "$(probe tray | cut -d' ' -f1)" != - ] && echo shown || echo gone; }
icon_is() { [ "$(icon)" = "$1" ]; }
registry() { for name in Autostart ShowHolidays HolidayUpdate Theme TrayIcon RemindDays HeadlineHost HeadlinePort; do
    printf '%s=%s ' "$name" "$(reg_get "$settings_key" "$name")"; done; reg_get "$run_key" Lunoria >/dev/null && echo run || echo -; }
in_dialog() { xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$dialog\$" | head -1)"; }
type_into() { click_item "$1" "$dialog" && in_dialog && xdotool key ctrl+a BackSpace type --delay 50 "$2"; }
press() { for id; do click_item "$id" "$dialog"; done; }
closed() { wait_for 10 window_gone "^$dialog\$" && echo "ok: $1 closes it" || fail "$1: the dialog stayed"; }

clean_registry
reg_set "$settings_key" HeadlineHost 127.0.0.1
reg_set "$settings_key" HeadlinePort "$port"
start_app
wait_for 15 item_shown 1053 && [ "$(rest_ink)" -gt 15 ] && wait_for 10 icon_is shown ||
    fail "no headline, 休 or icon at start"
before=$(registry)

echo "== what it shows; 取消 keeps nothing"
open_settings
screenshot settings-96
check_eq "host, port, folder" "127.0.0.1 $port $(winepath -w "$(memo_folder)" | tr -d '\r')" \
    "$(probe text 1113 "$dialog") $(probe text 1114 "$dialog") $(probe text 1111 "$dialog")"
probe text 1106 "$dialog" | grep -q '内置2004-2026年' && echo "ok: the holiday years" || fail "no holiday years"
in_dialog && xdotool key alt+p type 9 && sleep 0.3 && check_eq "Alt+P, 9" 9 "$(probe text 1114 "$dialog")"
press 1101 1103 1109 && type_into 1113 example.org && press 2
closed "取消"
check_eq "the registry after 取消" "$before" "$(registry)"

echo "== a bad port is refused, named, and kept; a second 设置… opens no second dialog"
open_settings
for bad in abc 70000; do
    type_into 1114 "$bad" && press 1
    wait_for 10 window_shown "^$box\$" && probe texts "$box" | grep -q '头条服务器端口' || fail "no message naming the port"
    click_item 1 "$box" && wait_for 10 window_gone "^$box\$" || fail "the message stayed"
    check_eq "the port as typed" "$bad" "$(probe text 1114 "$dialog")"
    in_dialog && xdotool type 9 && sleep 0.3 && check_eq "9, typed over it" 9 "$(probe text 1114 "$dialog")"
done
probe command 40002 && sleep 1
check_eq "设置 dialogs after a second 设置…" 1 "$(xdotool search --onlyvisible --name "^$dialog\$" | wc -l)"

echo "== every setting changed, 确定"
press 1101 1102 1103 1104 1109 # the four boxes off, 深色
click_item 1110 "$dialog" && in_dialog && xdotool key End Return # 不提醒
type_into 1113 '' && type_into 1114 8081
n=$(requests) && press 1
closed "确定"
check_eq "the registry after 确定" "Autostart=0 ShowHolidays=0 HolidayUpdate=0 Theme=2 TrayIcon=0 RemindDays=-1 \
HeadlineHost= HeadlinePort=8081 -" "$(registry)"
check_eq "休, the icon, the grid after 确定" "0 gone 40,40,44" "$(rest_ink) $(icon) $(pixel $(cell))"
item_shown 1053 && fail "the headline stayed without a server"
after=$(registry) && sleep 3 && open_settings && screenshot settings-dark && press 1
closed "确定 as it opened"
check_eq "the registry read back and written again, requests" "$after $n" "$(registry) $(requests)"

echo "== the server, the marks, the icon and the light look back, without a restart"
open_settings && press 1102 1103 1108 && type_into 1113 127.0.0.1 && type_into 1114 "$port" && press 1
wait_for 10 item_shown 1053 && [ "$(requests)" = $((n + 1)) ] && echo "ok: the headline at once" ||
    fail "no headline ($(requests) requests)"
check_eq "休, icon, grid back" "yes shown 245,245,230" "$([ "$(rest_ink)" -gt 15 ] && echo yes) $(icon) $(pixel $(cell))"

end_app && start_app && sleep 1
reg_get "$run_key" Lunoria >/dev/null && fail "the log-on entry was put back" || echo "ok: no log-on entry"
finish
