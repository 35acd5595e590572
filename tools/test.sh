#!/usr/bin/env bash
# Builds everything and runs every test: the native suite, both Windows builds,
# the Windows tests under Wine, and a bounded fuzzing run. Exits non-zero on any failure.
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

native() {
    cmake --preset linux >/dev/null &&
    cmake --build --preset linux -j"$jobs" &&
    ctest --preset linux -j"$jobs" --timeout 300
}
cross() {
    cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j"$jobs"
}

stage native native
stage mingw-i686 cross mingw-i686
stage mingw-x64 cross mingw-x64
if [ -x tools/wine-test.sh ]; then
    stage wine tools/wine-test.sh build/mingw-i686
    # The midnight test needs a faked clock, which reaches only the 64-bit Wine process.
    stage wine-x64 tools/wine-test.sh build/mingw-x64 -R app_midnight
fi
if [ -x tools/fuzz.sh ]; then
    stage fuzz tools/fuzz.sh 25
fi

echo
if [ ${#stageFailed[@]} -gt 0 ]; then
    echo "failed stages: ${stageFailed[*]}"
    [ "$failed" -eq 0 ] && failed=${#stageFailed[@]}
fi
echo "$passed passed, $failed failed"
[ ${#stageFailed[@]} -eq 0 ] && [ "$failed" -eq 0 ]
