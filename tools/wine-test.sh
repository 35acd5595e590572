#!/usr/bin/env bash
# Runs the tests of a MinGW build under Wine: tools/wine-test.sh [--win64] BUILD_DIR [ctest args...]
# One fresh prefix for the whole run; every Windows test exe goes through tools/wine-exec.sh (the
# build's CMAKE_CROSSCOMPILING_EMULATOR). Screenshots land in BUILD_DIR/screenshots.
# --win64 (or LUNORIA_WINE64_ONLY=1) takes the 64-bit-only path of tools/wine-env.sh, the one a machine
# without 32-bit support has to take; a 32-bit build cannot run there.
set -uo pipefail
mode=
if [ "${1:-}" = --win64 ]; then
    mode=win64
    shift
fi
[ $# -ge 1 ] || { echo "usage: $0 [--win64] BUILD_DIR [ctest args...]" >&2; exit 2; }
build=$(cd "$1" && pwd) || exit 2
shift
tools=$(cd "$(dirname "$0")" && pwd)

start=$(date +%s.%N)
# shellcheck source=tools/wine-env.sh
source "$tools/wine-env.sh"
wine_env_start $mode || { echo "wine-test: could not set up Wine"; exit 1; }
if [ "$LUNORIA_WINE_MODE" = win64 ] && grep -q '^CMAKE_TOOLCHAIN_FILE:.*i686' "$build/CMakeCache.txt" 2>/dev/null; then
    echo "wine-test: $build is a 32-bit build and this run has 64-bit Wine only"
    exit 1
fi
ready=$(date +%s.%N)

export LUNORIA_SCREENSHOT_DIR=$build/screenshots
rm -rf "$LUNORIA_SCREENSHOT_DIR"
mkdir -p "$LUNORIA_SCREENSHOT_DIR"

ctest --test-dir "$build" --output-on-failure --timeout 120 "$@"
rc=$?

end=$(date +%s.%N)
awk -v s="$start" -v r="$ready" -v e="$end" 'BEGIN {
    printf "wine-test: prefix and display %.1f s, tests %.1f s, whole Wine stage %.1f s\n", r - s, e - r, e - s }'
exit $rc
