#!/usr/bin/env bash
# Builds everything and runs every test: the native suite (plain and under ASan + UBSan), both
# Windows builds, the whole Windows suite under Wine on the x64 build (always through the 64-bit-only
# path) and on the i686 build where this machine runs 32-bit programs, the setup program made from
# the two exes, and a bounded fuzzing run.
# LUNORIA_WINE64_ONLY=1 takes the 64-bit-only path everywhere. Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

tools/setup.sh all || { echo "setup failed"; exit 1; }

passed=0
failed=0
stageFailed=()
log=build/test-logs
mkdir -p "$log"

# count_ctest FILE: add ctest's totals to ours.
count_ctest() {
    local line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)
    [ -n "$line" ] || return 0
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

stage() {
    local name=$1; shift
    local start=$SECONDS
    echo "== $name"
    if "$@" >"$log/$name.log" 2>&1; then
        echo "   ok ($((SECONDS - start)) s)"
    else
        echo "   FAILED ($((SECONDS - start)) s); last lines of $log/$name.log:"
        tail -40 "$log/$name.log" | sed 's/^/   | /'
        stageFailed+=("$name")
    fi
    count_ctest "$log/$name.log"
}

# stage_beside NAME COMMAND...: a stage that runs while the following ones do (the Wine stages wait
# mostly on windows, not on the processor); stage_join NAME reports it as stage does.
declare -A besidePid besideStart
stage_beside() {
    local name=$1; shift
    echo "== $name (beside the next stage)"
    besideStart[$name]=$SECONDS
    "$@" >"$log/$name.log" 2>&1 &
    besidePid[$name]=$!
}
stage_join() {
    local name=$1
    if wait "${besidePid[$name]}"; then
        echo "== $name: ok ($((SECONDS - besideStart[$name])) s)"
    else
        echo "== $name: FAILED ($((SECONDS - besideStart[$name])) s); last lines of $log/$name.log:"
        tail -40 "$log/$name.log" | sed 's/^/   | /'
        stageFailed+=("$name")
    fi
    count_ctest "$log/$name.log"
}

native() {
    cmake --preset "$1" >/dev/null &&
    cmake --build --preset "$1" -j"$jobs" &&
    ctest --preset "$1" -j"$jobs" --timeout 300
}
cross() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j"$jobs"
}

# One line says which Wine this machine gets, and why (the same choice tools/wine-test.sh makes).
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
wine_env_choose
echo "wine: $LUNORIA_WINE_WHY"
ran=(x64)
notRun=()

stage native native linux
stage sanitize native linux-san
stage mingw-i686 cross mingw-i686
stage mingw-x64 cross mingw-x64
# The x64 build always takes the 64-bit-only path, so every run exercises what a machine without
# 32-bit support does; the i686 build runs where 32-bit programs start.
# The two run side by side, each in its own prefix on its own virtual screen (never a shared display:
# their keys and clicks would land in each other's windows).
if [ "$LUNORIA_WINE_MODE" = wow ]; then
    stage_beside wine-i686 env -u DISPLAY tools/wine-test.sh build/mingw-i686
    ran+=(i686)
else
    notRun+=("i686 ($LUNORIA_WINE_WHY)")
fi
stage wine-x64 env -u DISPLAY tools/wine-test.sh --win64 build/mingw-x64
[ "$LUNORIA_WINE_MODE" = wow ] && stage_join wine-i686
# The setup program is a 32-bit program: where those cannot start, its test builds the same script
# for amd64 and says so.
stage installer env LUNORIA_SCREENSHOT_DIR="$root/build/installer-screenshots" bash tests/app/installer.sh \
    build/mingw-i686/app/lunoria.exe build/mingw-x64/app/lunoria.exe build/mingw-x64/tests/app/lunoria-probe.exe
if [ "$LUNORIA_WINE_MODE" = wow ]; then
    setupTested="the shipped 32-bit one"
else
    setupTested="built for amd64, as the shipped 32-bit one cannot start here ($LUNORIA_WINE_WHY)"
fi
if [ -x tools/fuzz.sh ]; then
    stage fuzz tools/fuzz.sh 25
fi

echo
echo "Windows builds run under Wine: ${ran[*]}"
[ ${#notRun[@]} -eq 0 ] || echo "Windows builds built but not run: ${notRun[*]}"
echo "Setup program tested under Wine: $setupTested"
if [ ${#stageFailed[@]} -gt 0 ]; then
    echo "failed stages: ${stageFailed[*]}"
    [ "$failed" -eq 0 ] && failed=${#stageFailed[@]}
fi
echo "$passed passed, $failed failed"
[ ${#stageFailed[@]} -eq 0 ] && [ "$failed" -eq 0 ]
