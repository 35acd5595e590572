#!/usr/bin/env bash
# Builds the programs people download: tools/release.sh
# Both exes in Release without test hooks (build/release/mingw-i686, build/release/mingw-x64),
# stripped, each zipped with README.txt (user guide, Chinese and English, CRLF, UTF-8 with BOM) and
# LICENSE as build/release/lunoria-<version>-win32.zip and -win64.zip; the setup program that installs
# the one for the Windows it runs on, build/release/lunoria-<version>-setup.exe; and
# build/release/SHA256SUMS. The version is the project's VERSION in CMakeLists.txt, the one the version
# resource is made from.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# shellcheck source=tools/release-lib.sh
source tools/release-lib.sh
out=$root/build/release
version=$(release_version)
[ -n "$version" ] || { echo "release: no VERSION in CMakeLists.txt"; exit 1; }
mkdir -p "$out"
rm -f "$out"/lunoria-*.zip "$out"/lunoria-*-setup.exe "$out/SHA256SUMS"

# release ARCH PRESET: builds, stages into $out/stage-ARCH (kept for the setup program) and zips.
release() {
    local arch=$1 preset=$2 dir=$out/$2 stage=$out/stage-$1 zip
    cmake -S . -B "$dir" --toolchain "$root/cmake/$preset.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DLUNORIA_TESTS=OFF -DLUNORIA_BENCH=OFF -DLUNORIA_TEST_HOOKS=OFF >/dev/null
    cmake --build "$dir" -j"${JOBS:-2}" --target lunoria >/dev/null
    stage_files "$dir/app/lunoria.exe" "$arch" "$version" "$stage"
    # The version resource must say what the archive's name says.
    [ "$(strings -el "$stage/lunoria.exe" | grep -A1 -x FileVersion | tail -1)" = "$version" ] ||
        { echo "release: the $arch exe does not carry version $version"; exit 1; }
    if strings -el "$stage/lunoria.exe" | grep -q LUNORIA_READY_FILE; then
        echo "release: $arch exe still holds the test hook"
        exit 1
    fi
    zip="lunoria-$version-$arch.zip"
    (cd "$stage" && TZ=UTC zip -q -X -9 "$out/$zip" lunoria.exe README.txt LICENSE)
    printf '%s: %s stripped %d bytes (unstripped %d)\n' "$zip" "lunoria.exe" \
        "$(unzip -p "$out/$zip" lunoria.exe | wc -c)" "$(stat -c %s "$dir/app/lunoria.exe")"
}

release win32 mingw-i686
release win64 mingw-x64
setup=lunoria-$version-setup.exe
make_installer "$out/$setup" "$version" "$out/stage-win32" "$out/stage-win64"
rm -rf "$out/stage-win32" "$out/stage-win64"
(cd "$out" && sha256sum lunoria-"$version"-win32.zip lunoria-"$version"-win64.zip "$setup" >SHA256SUMS)
echo "release: $out"
ls -l "$out"/*.zip "$out/$setup" "$out/SHA256SUMS" | awk '{ print "  " $5 "  " $NF }'
cat "$out/SHA256SUMS"
