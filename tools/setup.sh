#!/usr/bin/env bash
# Installs with apt whatever the build and the tests need and this machine lacks.
# Usage: tools/setup.sh [native|all]   (native: compilers and test libraries only)
set -euo pipefail
what=${1:-all}

native=(cmake make g++ clang libclang-rt-14-dev googletest libgtest-dev rapidjson-dev libbenchmark-dev liberfa-dev libnova-dev
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
# A mirror caught mid-sync fails an index now and then ("File has unexpected size"): the update is tried
# again, and what decides is whether the packages install.
for try in 1 2 3; do
    $sudo apt-get update -qq && break
    echo "setup: apt-get update failed (try $try of 3)"
    [ "$try" -lt 3 ] && sleep $((try * 20))
done
apt_install() { $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }
apt_install "${missing[@]}" && exit 0
echo "setup: apt-get install failed; updating once more"
sleep 30
$sudo apt-get update -qq || true
apt_install "${missing[@]}" && exit 0
# 32-bit packages need the i386 index of every suite (one mid-sync is enough to break them): without
# them the tests take the 64-bit-only path, as on a machine that cannot start 32-bit programs.
native64=()
for p in "${missing[@]}"; do [[ $p == *:i386 ]] || native64+=("$p"); done
if [ ${#native64[@]} -lt ${#missing[@]} ] && apt_install "${native64[@]}"; then
    echo "setup: the 32-bit packages could not be installed; only 64-bit Wine runs here"
    exit 0
fi
echo "setup: could not install ${missing[*]}" >&2
exit 1
