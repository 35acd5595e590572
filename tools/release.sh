#!/usr/bin/env bash
# Builds the two programs people download: tools/release.sh
# Both exes in Release without test hooks (build/release/mingw-i686, build/release/mingw-x64),
# stripped, each zipped with README.txt (user guide, Chinese and English, CRLF, UTF-8 with BOM) and
# LICENSE as build/release/lunoria-<version>-win32.zip and -win64.zip, plus build/release/SHA256SUMS.
# The version is the project's VERSION in CMakeLists.txt, the one the version resource is made from.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$root/build/release
version=$(sed -nE 's/^project\(Lunoria VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release: no VERSION in CMakeLists.txt"; exit 1; }
# The guide names the years of the built-in holiday table.
holidayFirst=$(sed -nE 's/.*kHolidayTableFirstYear = ([0-9]+);/\1/p' engine/holiday_table.h)
holidayLast=$(sed -nE 's/.*kHolidayTableLastYear = ([0-9]+);/\1/p' engine/holiday_table.h)
[ -n "$holidayFirst" ] && [ -n "$holidayLast" ] || { echo "release: no years in engine/holiday_table.h"; exit 1; }
mkdir -p "$out"
rm -f "$out"/lunoria-*.zip "$out/SHA256SUMS"

# release ARCH PRESET TRIPLET
release() {
    local arch=$1 preset=$2 triplet=$3 dir=$out/$2 stage=$out/stage-$1 zip
    cmake -S . -B "$dir" --toolchain "$root/cmake/$preset.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DLUNORIA_TESTS=OFF -DLUNORIA_BENCH=OFF -DLUNORIA_TEST_HOOKS=OFF >/dev/null
    cmake --build "$dir" -j"${JOBS:-2}" --target lunoria >/dev/null
    rm -rf "$stage"
    mkdir -p "$stage"
    "$triplet-strip" -o "$stage/lunoria.exe" "$dir/app/lunoria.exe"
    # The version resource must say what the archive's name says.
    [ "$(strings -el "$stage/lunoria.exe" | grep -A1 -x FileVersion | tail -1)" = "$version" ] ||
        { echo "release: the $arch exe does not carry version $version"; exit 1; }
    if strings -el "$stage/lunoria.exe" | grep -q LUNORIA_READY_FILE; then
        echo "release: $arch exe still holds the test hook"
        exit 1
    fi
    { printf '\xef\xbb\xbf'; sed -e "s/@VERSION@/$version/g" -e "s/@ARCH@/$arch/g" -e "s/@HOLIDAY_FIRST@/$holidayFirst/g" \
        -e "s/@HOLIDAY_LAST@/$holidayLast/g" docs/README.txt | sed 's/$/\r/'; } \
        >"$stage/README.txt"
    sed 's/$/\r/' LICENSE >"$stage/LICENSE"
    zip="lunoria-$version-$arch.zip"
    # Fixed times, so the same sources make the same archive.
    touch -d '2026-01-01 00:00:00 UTC' "$stage"/*
    (cd "$stage" && TZ=UTC zip -q -X -9 "$out/$zip" lunoria.exe README.txt LICENSE)
    rm -rf "$stage"
    printf '%s: %s stripped %d bytes (unstripped %d)\n' "$zip" "lunoria.exe" \
        "$(unzip -p "$out/$zip" lunoria.exe | wc -c)" "$(stat -c %s "$dir/app/lunoria.exe")"
}

release win32 mingw-i686 i686-w64-mingw32
release win64 mingw-x64 x86_64-w64-mingw32
(cd "$out" && sha256sum lunoria-"$version"-win32.zip lunoria-"$version"-win64.zip >SHA256SUMS)
echo "release: $out"
ls -l "$out"/*.zip "$out/SHA256SUMS" | awk '{ print "  " $5 "  " $NF }'
cat "$out/SHA256SUMS"
