#!/usr/bin/env bash
# Installs with apt whatever the build and the tests need and this machine lacks.
# Usage: tools/setup.sh [native|all]   (native: compilers and test libraries only)
set -euo pipefail
what=${1:-all}

native=(cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev liberfa-dev libnova-dev
        python3-icalendar python3-recurring-ical-events)
cross=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 nsis)
gui=(wine wine64 wine32:i386 xvfb xauth x11-apps fonts-wine imagemagick xdotool procps libfaketime
     fonts-arphic-uming fonts-arphic-ukai fonts-wqy-microhei)

want=("${native[@]}")
if [ "$what" = all ]; then want+=("${cross[@]}" "${gui[@]}"); fi

missing=()
for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
