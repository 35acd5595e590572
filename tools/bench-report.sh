#!/usr/bin/env bash
# Every figure of the project side by side in one run, each under the command that measures it:
# engine speed, month page, memo save and load, notepad keystroke save, memo export (Google Benchmark,
# native), grid paint, memo save with and without its retry budget, start-up against the smallest window
# program, private memory and idle CPU (under Wine, for each Windows build that runs here), and the
# stripped exe sizes.
#   tools/bench-report.sh            RUNS=15 start-ups of each program, IDLE_SECONDS=60 of idling
# Timings live here, not in the tests: nothing in this report passes or fails.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
export RUNS=${RUNS:-15} IDLE_SECONDS=${IDLE_SECONDS:-60}
jobs=${JOBS:-2}

# figure TITLE COMMAND...: the command as typed, then its output, indented.
figure() {
    local title=$1
    shift
    printf '\n== %s\n$ %s\n' "$title" "$*"
    "$@" 2>&1 | sed 's/^/    /'
}

echo "bench-report: $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "(timings on a shared machine move with its load; the ratios are taken side by side in one run)"

cmake --preset linux >/dev/null && cmake --build --preset linux -j"$jobs" --target lunoria_bench >/dev/null ||
    echo "bench-report: the native benchmarks did not build"
bench=build/linux/bench/lunoria_bench
if [ -x $bench ]; then
    # gbench TITLE FILTER: the rows of one group of benchmarks, under the command that prints them.
    gbench() {
        printf '\n== %s\n$ %s --benchmark_filter=%q | grep -E %q\n' "$1" $bench "$2" '^(Benchmark|BM_)'
        $bench --benchmark_filter="$2" 2>/dev/null | grep -E '^(Benchmark|BM_)' | sed 's/^/    /'
    }
    gbench "engine speed" 'BM_(SolarToLunar|NextDay|ConvertWholeRange)'
    gbench "month page (the model, and the grid's month change with its memo files)" 'BM_(BuildMonthPage|View)'
    gbench "memo save and load" 'BM_Memo'
    gbench "memo export to iCalendar (a year of the longest memos; every month file, short memos)" 'BM_IcsExport'
    if $bench --benchmark_list_tests | grep -q '^BM_Notepad'; then
        gbench "notepad keystroke save" 'BM_Notepad'
    else
        printf '\n== notepad keystroke save\n    (no BM_Notepad benchmark in this tree)\n'
    fi
fi

# The Windows builds: one Wine environment for all of them.
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
wine_env_start || { echo "bench-report: could not set up Wine"; exit 1; }
presets=(mingw-x64)
[ "$LUNORIA_WINE_MODE" = wow ] && presets+=(mingw-i686)
echo
echo "wine: $LUNORIA_WINE_WHY"
for preset in "${presets[@]}"; do
    dir=build/$preset
    cmake --preset $preset >/dev/null &&
        cmake --build --preset $preset -j"$jobs" --target lunoria lunoria-probe lunoria-minimal lunoria-floor lunoria-grid-bench \
            lunoria-memo-bench >/dev/null || { echo "bench-report: $preset did not build"; continue; }
    figure "grid paint, ${preset#mingw-} (memory DC, mean of 200)" \
        timeout -k 5 120 wine $dir/bench/lunoria-grid-bench.exe
    figure "memo save, ${preset#mingw-} (one attempt against the retry budget, nothing holding the file)" \
        timeout -k 5 120 wine $dir/bench/lunoria-memo-bench.exe
    figure "start-up to first paint, memory, idle CPU, ${preset#mingw-} (calendar against its floor and the minimal window)" \
        bash bench/startup.sh $dir/app/lunoria.exe $dir/tests/app/lunoria-probe.exe $dir/tests/app/lunoria-minimal.exe \
        $dir/bench/lunoria-floor.exe
done
[ "$LUNORIA_WINE_MODE" = wow ] || printf '\n(the i686 build does not run here: %s)\n' "$LUNORIA_WINE_WHY"

# What people download: the release exes when tools/release.sh has made them, else stripped copies of
# the test builds (which carry the ready-file hook, a few hundred bytes more).
exe_sizes() {
    local preset triplet exe tmp
    tmp=$(mktemp -d)
    for preset in mingw-i686 mingw-x64; do
        triplet=i686-w64-mingw32
        [ $preset = mingw-x64 ] && triplet=x86_64-w64-mingw32
        exe=build/release/$preset/app/lunoria.exe
        [ -f "$exe" ] || exe=build/$preset/app/lunoria.exe
        [ -f "$exe" ] || { echo "$preset: not built"; continue; }
        "$triplet-strip" -o "$tmp/$preset.exe" "$exe"
        printf '%-10s %8d bytes stripped (%d unstripped)  %s\n' "${preset#mingw-}" \
            "$(stat -c %s "$tmp/$preset.exe")" "$(stat -c %s "$exe")" "$exe"
    done
    rm -rf "$tmp"
}
printf '\n== exe sizes\n$ <triplet>-strip -o stripped.exe build/release/<preset>/app/lunoria.exe && stat -c %%s stripped.exe\n'
exe_sizes | sed 's/^/    /'
