# Shared by the calendar's script tests: sourced, never run. Arguments of the scripts:
#   LUNORIA_EXE PROBE_EXE MINIMAL_EXE LUNORIA_CAL_EXE
# Runs inside the Wine environment of tools/wine-test.sh; started alone, it makes its own.
[ $# -ge 2 ] || { echo "usage: $0 LUNORIA_EXE PROBE_EXE [MINIMAL_EXE [LUNORIA_CAL_EXE]]" >&2; exit 2; }
app_exe=$1
probe_exe=$2
minimal_exe=${3:-}
cal_exe=${4:-}
app_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

if [ -z "${WINEPREFIX:-}" ] || [ ! -d "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    # shellcheck source=tools/wine-env.sh
    source "$app_root/tools/wine-env.sh"
    wine_env_start || { echo "could not set up Wine"; exit 1; }
fi
export LC_ALL=C.UTF-8

settings_key='HKCU\Software\Quorvel\Lunoria'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
failures=0
app_pid=

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
check_eq() {  # what expected actual
    if [ "$2" = "$3" ]; then echo "ok: $1 ($3)"; else fail "$1: expected '$2', got '$3'"; fi
}
# check_that WHAT COMMAND...: "ok: WHAT" when COMMAND succeeds, else a failure (status 1).
check_that() { if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else fail "$1"; return 1; fi; }

# wait_for SECONDS COMMAND...: polls until COMMAND succeeds; Wine on a bare X server can take a
# second or two to act on input.
wait_for() {
    local limit=$1 i
    shift
    for i in $(seq $((limit * 5))); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}
window_shown() { [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }
window_gone() { ! window_shown "$1"; }
# check_within SECONDS WHAT COMMAND...: the same, waiting up to SECONDS for COMMAND (wait_for).
check_within() { if wait_for "$1" "${@:3}"; then echo "ok: $2"; else fail "not within $1 s: $2"; return 1; fi; }

probe() { timeout -k 5 30 wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
# item_shown ID: the calendar's control ID is visible.
item_shown() { local at; at=$(probe center "$1") && set -- $at && [ "${3:-}" = 1 ]; }
# month_after YEAR MONTH N: the month N months on, as "YEAR MONTH".
month_after() { local n=$(($1 * 12 + $2 - 1 + $3)); echo "$((n / 12)) $((n % 12 + 1))"; }

# reg_get KEY NAME: the value's data, or nothing (exit 1) when it is missing.
reg_get() {
    local out
    out=$(timeout -k 5 30 wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') || return 1
    grep -E "^\s+$2\s+REG_" <<<"$out" | sed -E "s/^\s+$2\s+REG_[A-Z_]+\s*//"
}
reg_set() { timeout -k 5 30 wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1; }
reg_del() { timeout -k 5 30 wine reg delete "$1" /v "$2" /f >/dev/null 2>&1 || true; }
# set_dpi DPI: the display scale of every program started after it (Wine reads LogPixels at its start).
set_dpi() {
    timeout -k 5 30 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    timeout -k 2 10 wineserver -k && timeout -k 2 10 wineserver -w; timeout -k 5 10 wineserver -p >/dev/null 2>&1
}
# answers_quickly SECONDS: every message sent to the calendar for SECONDS got its answer within 100 ms.
answers_quickly() {
    set -- $(probe ping "$1")
    awk -v w="${1:-none}" 'BEGIN { exit !(w + 0 < 100 && w != "none") }' && echo "ok: answered within $1 ms (${2:-0} messages)" ||
        fail "the calendar answered in ${1:-no} ms"
}
# Puts the documents folder back in the prefix's own profile: held.sh moves it to D:.
documents_at_home() {
    local key='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer'
    timeout -k 5 30 wine reg add "$key\User Shell Folders" /v Personal /t REG_EXPAND_SZ /d '%USERPROFILE%\Documents' /f >/dev/null 2>&1
    timeout -k 5 30 wine reg delete "$key\Shell Folders" /v Personal /f >/dev/null 2>&1
}
clean_registry() {
    timeout -k 5 30 wine reg delete "$settings_key" /f >/dev/null 2>&1 || true
    reg_del "$run_key" Lunoria
}

# Starts the calendar in the background and waits for its window.
start_app() {
    timeout -k 5 240 wine "$app_exe" "$@" >/dev/null 2>&1 &
    app_pid=$!
    probe wait 20 >/dev/null || { fail "the calendar window did not appear"; return 1; }
    # The tabs and the notepad are made right after the first paint: start-up ends when they exist.
    wait_for 10 probe companion notetab || { fail "the 本 tab was not made"; return 1; }
}

# start_app_at TIME [ARGS...]: as start_app, with the calendar's clock (libfaketime) starting at TIME.
# Wine's timers run on the monotonic clock, which stays real. libfaketime reaches the 64-bit Wine
# process's clock, not the 32-bit one's.
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
start_app_at() {
    local at=$1
    shift
    [ -r "$faketime_lib" ] || { fail "libfaketime is missing (tools/setup.sh installs it)"; return 1; }
    LD_PRELOAD=$faketime_lib FAKETIME="@$at" FAKETIME_DONT_FAKE_MONOTONIC=1 start_app "$@"
}

# A second copy while one runs: its message box (caption: the program's name, OK is IDOK), then it
# ends with exit code 0 and leaves the first copy alone.
second_copy_refused() {
    local second i
    timeout -k 5 30 wine "$app_exe" >/dev/null 2>&1 &
    second=$!
    if wait_for 15 probe center 1 lunoria; then
        echo "ok: the second copy shows its message box"
        click_item 1 lunoria
    else
        fail "no message box from the second copy"
    fi
    for i in $(seq 100); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$second" 2>/dev/null; then
        fail "the second copy is still running"
        kill "$second" 2>/dev/null
    fi
    wait "$second"
    check_eq "second copy exit code" "0" "$?"
    window_gone '^lunoria$' || fail "the message box stayed"
    check_eq "one calendar window" "1" "$(xdotool search --onlyvisible --name '日历2\.162' | wc -l)"
    kill -0 "$app_pid" 2>/dev/null || fail "the first copy ended"
}

# drag X Y DX DY: a press at (X, Y), six steps of motion, a release.
drag() {
    local step
    xdotool mousemove "$1" "$2" mousedown 1
    for step in 1 2 3 4 5 6; do
        sleep 0.1
        xdotool mousemove $(($1 + $3 * step / 6)) $(($2 + $4 * step / 6))
    done
    sleep 0.2
    xdotool mouseup 1
    sleep 0.5
}

# Waits up to $1 seconds for the calendar's process to end; 0 when it did.
app_ended() {
    local i
    for i in $(seq $((${1:-10} * 10))); do
        kill -0 "$app_pid" 2>/dev/null || { wait "$app_pid" 2>/dev/null; return 0; }
        sleep 0.1
    done
    return 1
}
app_running() { kill -0 "$app_pid" 2>/dev/null && probe wait 0 >/dev/null; }

# Ends the calendar the way a user must: "x", then "结束程序".
end_app() {
    [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null || return 0
    open_exit_dialog && wait_for 10 probe center 1000 '提示' && click_item 1000 '提示'
    if ! app_ended 10; then
        fail "the calendar did not end through its exit dialog"
        kill "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
    fi
    app_pid=
}

# click_item ID [TITLE]: a real pointer click in the middle of a control.
click_item() {
    local at
    at=$(probe center "$@") || { echo "no control $1"; return 1; }
    set -- $at
    # Move, let Wine take the motion, then click: on a busy machine a click sent with the motion
    # can reach the window before it knows the pointer is there.
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool click 1
    sleep 0.3
}

# Opens the exit dialog with "x"; one more click if the first was lost. 0 when the dialog shows.
open_exit_dialog() {
    click_item 1001 || return 1
    wait_for 5 window_shown '^提示$' && return 0
    click_item 1001 || return 1
    wait_for 10 window_shown '^提示$'
}

# Opens "设置" as a user does: a right-click on the grid, then the menu's second item, "设置…".
open_settings() {
    set -- $(probe rect) && xdotool mousemove $(($1 + $3 / 3)) $(($2 + $4 / 3)) sleep 0.2 click 3
    wait_for 10 probe menu && set -- $(probe menu) && xdotool mousemove $(($1 + $3 / 2)) $(($2 + $4 * 3 / 4)) sleep 0.2 click 1
    wait_for 10 window_shown '^设置$' && sleep 0.3 || { fail "no 设置 dialog"; return 1; }
}

screenshot() {  # NAME: saves a PNG of the whole screen and prints its path
    local dir=${LUNORIA_SCREENSHOT_DIR:-${TMPDIR:-/tmp}}
    mkdir -p "$dir"
    # import, not xwd: xwd leaves Wine popups that lie over another Wine window black.
    timeout -k 2 20 import -window root "$dir/$1.png" && echo "screenshot: $dir/$1.png"
}

# pixel X Y: the screen's colour there as "r,g,b"; cell: the point of the grid's first cell to look at.
pixel() {
    local shot=$LUNORIA_WINE_ROOT/pixel.png
    timeout -k 2 20 import -window root "$shot" >/dev/null 2>&1
    convert "$shot" -format '%[fx:int(255*p{'"$1,$2"'}.r)],%[fx:int(255*p{'"$1,$2"'}.g)],%[fx:int(255*p{'"$1,$2"'}.b)]' info:
}
cell() { set -- $(probe rect); echo "$(($1 + 3)) $(($2 + 22 + 50))"; }

memo_folder() { find -L "$WINEPREFIX/drive_c/users"/*/Documents -maxdepth 1 -name '我的记事' -type d 2>/dev/null | head -1; }

finish() {
    end_app
    if [ "$failures" -eq 0 ]; then echo "all checks passed"; exit 0; fi
    echo "$failures check(s) failed"
    exit 1
}
