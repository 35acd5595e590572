#!/usr/bin/env bash
# The clock passing midnight while the user looks at another month: the page comes back to the
# new current month by itself. The calendar runs with libfaketime's clock started a few seconds
# before the new year; only the calendar's process sees that clock.
#   midnight.sh LUNORIA_EXE PROBE_EXE [MINIMAL_EXE]
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"

clean_registry
start_app_at "2026-12-31 23:59:48"
check_eq "starts on the faked today" "2026 12" "$(probe month)"

click_item 1044
check_eq "上月 shows November" "2026 11" "$(probe month)"
set -- $(probe center 105)
check_eq "返回 shown away from today" "1" "${3:-}"

echo "== waiting for midnight"
shows() { [ "$(probe month)" = "$1" ]; }
if wait_for 25 shows "2027 1"; then
    echo "ok: the page moved to January 2027 after midnight"
else
    fail "the page stayed on $(probe month) after midnight"
fi
set -- $(probe center 105)
check_eq "返回 hidden on the new today" "0" "${3:-}"
screenshot app-after-midnight

finish
