#!/usr/bin/env bash
# Start-up time of the calendar against the smallest window program, started the same way (from a
# Windows process, until the first paint has finished), alternating, RUNS times each.
#   startup.sh LUNORIA_EXE PROBE_EXE MINIMAL_EXE
# RUNS (default 7); IDLE_SECONDS (default 0: skip) also measures the CPU time the calendar uses
# while sitting idle that long. Prints the medians and the ratio; fails only when a start fails.
set -uo pipefail
source "$(dirname "$0")/app_lib.sh"
[ -n "$minimal_exe" ] || { echo "usage: $0 LUNORIA_EXE PROBE_EXE MINIMAL_EXE"; exit 2; }
runs=${RUNS:-7}
ready='C:\lunoria-ready.txt'
app_win=$(timeout -k 5 30 winepath -w "$app_exe" | tr -d '\r')
min_win=$(timeout -k 5 30 winepath -w "$minimal_exe" | tr -d '\r')

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

clean_registry
# One start of each beforehand, so both find the DLLs in the page cache.
probe time "$min_win" "$ready" >/dev/null
probe time "$app_win" "$ready" >/dev/null
app_times=() min_times=()
for i in $(seq "$runs"); do
    t=$(probe time "$min_win" "$ready") || { fail "minimal program run $i did not paint"; continue; }
    min_times+=("$t")
    t=$(probe time "$app_win" "$ready") || { fail "calendar run $i did not paint"; continue; }
    app_times+=("$t")
done
echo "minimal program (ms): ${min_times[*]}"
echo "calendar (ms):        ${app_times[*]}"
if [ ${#app_times[@]} -gt 0 ] && [ ${#min_times[@]} -gt 0 ]; then
    m_app=$(printf '%s\n' "${app_times[@]}" | median)
    m_min=$(printf '%s\n' "${min_times[@]}" | median)
    awk -v a="$m_app" -v m="$m_min" 'BEGIN { printf "median start to first paint: calendar %.1f ms, minimal %.1f ms, ratio %.2f\n", a, m, a / m }'
fi

if [ "${IDLE_SECONDS:-0}" -gt 0 ]; then
    # Windows' own account of the calendar process, and the share of this prefix's wineserver as
    # Linux sees it (the server works in a folder named after the prefix's device and inode).
    server_dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    server=
    for p in $(pgrep -u "$(id -u)" wineserver); do
        [ "$(basename "$(readlink "/proc/$p/cwd")")" = "$server_dir" ] && server=$p
    done
    ticks() { [ -n "$1" ] && awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
    s0=$(ticks "$server")
    cpu=$(timeout -k 5 $((IDLE_SECONDS + 60)) wine "$probe_exe" cpu "$app_win" "$ready" "$IDLE_SECONDS" | tr -d '\r')
    s1=$(ticks "$server")
    hz=$(getconf CLK_TCK)
    echo "idle ${IDLE_SECONDS} s: calendar CPU ${cpu} ms; wineserver CPU $(( (s1 - s0) * 1000 / hz )) ms (includes the probe)"
fi
finish
