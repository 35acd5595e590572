#!/usr/bin/env bash
# Start-up time of the calendar against its floor (the smallest program with the platform parts it
# must have: the two lists, Common Controls 6, the documents folder, one text) and against the empty
# window program, all started the same way (from a Windows process, until the first paint has
# finished), alternating, RUNS times each.
#   startup.sh LUNORIA_EXE PROBE_EXE MINIMAL_EXE [FLOOR_EXE]   (test builds: they write LUNORIA_READY_FILE)
# RUNS (default 15); BEFORE_EXE, another build of the calendar (an earlier commit's), started in turn with
# the others and printed against the floor and against this one; DPI, a display scale (LogPixels) to run all
# of them at; IDLE_SECONDS (default 0: skip) also measures the private memory of each program
# two seconds after its first paint and the CPU time it uses while sitting idle that long.
# Prints the medians and the ratios, and the median time of each step on the way to the first paint
# (crt: the loader done, the static initialisers begin; main, window made, start-up work done, paint);
# fails only when a start fails. tools/bench-report.sh runs it.
set -uo pipefail
floor_exe=${4:-}
source "$(dirname "$0")/../tests/app/app_lib.sh"
[ -n "$minimal_exe" ] || { echo "usage: $0 LUNORIA_EXE PROBE_EXE MINIMAL_EXE [FLOOR_EXE]"; exit 2; }
runs=${RUNS:-15}
ready='C:\lunoria-ready.txt'
names=(minimal calendar)
exes=("$minimal_exe" "$app_exe")
if [ -n "$floor_exe" ]; then
    names=(minimal floor calendar)
    exes=("$minimal_exe" "$floor_exe" "$app_exe")
fi
if [ -n "${BEFORE_EXE:-}" ]; then
    names+=(before)
    exes+=("$BEFORE_EXE")
fi
wins=()
for exe in "${exes[@]}"; do wins+=("$(timeout -k 5 30 winepath -w "$exe" | tr -d '\r')"); done

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

clean_registry
[ -n "${DPI:-}" ] && set_dpi "$DPI"
# One start of each beforehand, so all find the DLLs in the page cache.
for w in "${wins[@]}"; do probe time "$w" "$ready" >/dev/null; done
# Each program writes its own timeline into the ready file: "step ms" lines after "ready".
times=$(mktemp) steps=$(mktemp)
ready_unix=$WINEPREFIX/drive_c/lunoria-ready.txt
for i in $(seq "$runs"); do
    for k in "${!names[@]}"; do
        t=$(probe time "${wins[k]}" "$ready") || { fail "${names[k]} run $i did not paint"; continue; }
        echo "${names[k]} $t" >>"$times"
        tr -d '\r' <"$ready_unix" | awk -v w="${names[k]}" 'NF == 2 { print w, $0 }' >>"$steps"
    done
done
declare -A med fast
for who in "${names[@]}"; do
    printf '%-8s (ms): %s\n' "$who" "$(awk -v w=$who '$1 == w { printf "%s ", $2 }' "$times")"
    med[$who]=$(awk -v w=$who '$1 == w { print $2 }' "$times" | median)
    fast[$who]=$(awk -v w=$who '$1 == w { print $2 }' "$times" | sort -n | head -1)
done
# Where the time goes: the median of each step, in milliseconds from the creation of the process.
for who in "${names[@]}"; do
    line=
    for step in $(awk -v w=$who '$1 == w && !seen[$2]++ { print $2 }' "$steps"); do
        line+=" $step $(awk -v w=$who -v s="$step" '$1 == w && $2 == s { print $3 }' "$steps" | median)"
    done
    printf 'median timeline, %-8s (ms since the process was made):%s\n' "$who" "$line"
done
rm -f "$times" "$steps"
# ratio A B: A against B, by medians and by the fastest start of each (the one least disturbed by
# whatever else the machine was doing).
ratio() {
    [ -n "${med[$1]:-}" ] && [ -n "${med[$2]:-}" ] || return 0
    awk -v a="${med[$1]}" -v b="${med[$2]}" -v fa="${fast[$1]}" -v fb="${fast[$2]}" -v n1="$1" -v n2="$2" \
        'BEGIN { printf "%s / %s: median %.1f / %.1f ms, ratio %.2f; fastest %.1f / %.1f ms, ratio %.2f\n", n1, n2, a, b, a / b, fa, fb, fa / fb }'
}
echo "start to first paint, side by side:"
[ -n "$floor_exe" ] && ratio calendar floor && ratio floor minimal
ratio calendar minimal
if [ -n "${BEFORE_EXE:-}" ]; then
    [ -n "$floor_exe" ] && ratio before floor
    ratio calendar before
fi

if [ "${IDLE_SECONDS:-0}" -gt 0 ]; then
    # CPU time as Linux counts it: the calendar's process and this prefix's wineserver
    # (which works in a folder named after the prefix's device and inode).
    server_dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
    server=
    for p in $(pgrep -u "$(id -u)" wineserver); do
        [ "$(basename "$(readlink "/proc/$p/cwd")")" = "$server_dir" ] && server=$p
    done
    # program_pid EXE_NAME: the Wine process of this prefix that runs EXE_NAME. Where Wine starts
    # a 64-bit exe through start.exe, that process is not a child of the one we started.
    program_pid() {
        local p
        for p in $(pgrep -u "$(id -u)" -f "$1"); do
            case $(readlink "/proc/$p/exe") in */wine*) ;; *) continue ;; esac
            tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
            tr '\0' ' ' <"/proc/$p/cmdline" | grep -q '^start\.exe' && continue
            echo "$p"
            return
        done
    }
    ticks() { [ -n "$1" ] && awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
    # idle NAME EXE: started from Linux, under our `timeout`.
    idle() {
        local readyUnix=$WINEPREFIX/drive_c/lunoria-ready.txt pid prog c0 c1 s0 s1 hz
        rm -f "$readyUnix"
        LUNORIA_READY_FILE=$ready timeout -k 5 $((IDLE_SECONDS + 60)) wine "$2" >/dev/null 2>&1 &
        pid=$!
        wait_for 20 test -f "$readyUnix" || fail "$1 did not paint"
        sleep 2  # past the calendar's today tip and first headline tick
        prog=$(program_pid "$(basename "$2")")
        [ -n "$prog" ] || fail "no process of $2"
        # Private memory as Linux counts it: pages of this process that no other process shares.
        private_kb=$(awk '/^Private_(Clean|Dirty):/ { kb += $2 } END { print kb + 0 }' "/proc/$prog/smaps_rollup" 2>/dev/null)
        echo "memory 2 s after the first paint, $1: private ${private_kb:-?} KiB"
        hz=$(getconf CLK_TCK)
        c0=$(ticks "$prog") s0=$(ticks "$server")
        sleep "$IDLE_SECONDS"
        c1=$(ticks "$prog") s1=$(ticks "$server")
        echo "idle ${IDLE_SECONDS} s, $1: program CPU $(( (c1 - c0) * 1000 / hz )) ms, wineserver CPU $(( (s1 - s0) * 1000 / hz )) ms"
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    }
    idle "minimal program" "$minimal_exe"
    idle calendar "$app_exe"
    app_pid=
fi
finish
