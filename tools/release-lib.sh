# How a download's files are staged and how the setup program is made from them, shared by
# tools/release.sh and the installer test (tests/app/installer.sh). Sourced, never run.
lunoria_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The project's VERSION in CMakeLists.txt, the one the version resource is made from.
release_version() { sed -nE 's/^project\(Lunoria VERSION ([0-9.]+).*/\1/p' "$lunoria_root/CMakeLists.txt"; }

# stage_files EXE ARCH VERSION STAGE: into the folder STAGE, the stripped exe as lunoria.exe, README.txt
# (the user guide for ARCH, win32 or win64: CRLF, UTF-8 with BOM) and LICENSE (CRLF), all with one fixed
# time (the exe's header stamp too, which strip would set to the present), so that the same build makes
# the same downloads.
stage_files() {
    local exe=$1 arch=$2 version=$3 stage=$4 triplet=i686-w64-mingw32
    [ "$arch" = win64 ] && triplet=x86_64-w64-mingw32
    rm -rf "$stage"
    mkdir -p "$stage"
    SOURCE_DATE_EPOCH=1767225600 "$triplet-strip" -o "$stage/lunoria.exe" "$exe" || return 1
    # The guide names the years of the built-in holiday table.
    local table=$lunoria_root/holidays/holiday_table.h first last
    first=$(sed -nE 's/.*kHolidayTableFirstYear = ([0-9]+);/\1/p' "$table")
    last=$(sed -nE 's/.*kHolidayTableLastYear = ([0-9]+);/\1/p' "$table")
    [ -n "$first" ] && [ -n "$last" ] || { echo "release: no years in $table" >&2; return 1; }
    { printf '\xef\xbb\xbf'; sed -e "s/@VERSION@/$version/g" -e "s/@ARCH@/$arch/g" -e "s/@HOLIDAY_FIRST@/$first/g" \
        -e "s/@HOLIDAY_LAST@/$last/g" "$lunoria_root/docs/README.txt" | sed 's/$/\r/'; } >"$stage/README.txt"
    sed 's/$/\r/' "$lunoria_root/LICENSE" >"$stage/LICENSE"
    touch -d '2026-01-01 00:00:00 UTC' "$stage"/*
}

# make_installer OUT VERSION STAGE32 STAGE64 [TARGET]: the setup program of tools/installer.nsi from two
# staged folders, as OUT (absolute paths). TARGET is makensis's: x86-unicode (the default, the shipped
# one) or amd64-unicode.
make_installer() {
    local version4=$2 page=$3/license-page.txt
    while [ "$(tr -cd . <<<"$version4" | wc -c)" -lt 3 ]; do version4+=.0; done
    # The licence page wraps lines itself: one line per paragraph there.
    awk 'BEGIN { RS = ""; ORS = "\r\n\r\n" } { gsub(/\n/, " "); print }' "$lunoria_root/LICENSE" >"$page"
    makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$2" -DVERSION4="$version4" -DSTAGE32="$3" -DSTAGE64="$4" \
        -DLICENSE_PAGE="$page" -DICON="$lunoria_root/res/lunoria.ico" -DOUTFILE="$1" -DTARGET="${5:-x86-unicode}" \
        "$lunoria_root/tools/installer.nsi"
}
