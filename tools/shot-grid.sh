#!/usr/bin/env bash
# Pictures of the month grid for a person to look at: tools/shot-grid.sh [BUILD_DIR] [OUT_DIR]
# Runs the grid test's screenshot case under Wine (fresh environment) and turns its BMPs into PNGs:
# December 2026 with memos of every kind, February 2026 (two lunar years) and July 2000 (three
# lunar months). Defaults: build/mingw-i686, BUILD_DIR/screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/mingw-i686}
out=${2:-$build/screenshots}
exe=$build/tests/view/month_grid_test.exe
[ -f "$exe" ] || { echo "shot-grid: $exe not built" >&2; exit 2; }
mkdir -p "$out"
out=$(cd "$out" && pwd)
LUNORIA_SCREENSHOT_DIR=$out tools/wine-env.sh \
    timeout -k 5 100 wine "$exe" --gtest_filter='MonthGridTest.Screenshots' >/dev/null
for bmp in "$out"/grid-*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    echo "${bmp%.bmp}.png"
done
