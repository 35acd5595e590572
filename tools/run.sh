#!/usr/bin/env bash
# Builds the calendar and starts it under Wine: the 32-bit program where this machine runs 32-bit
# programs, else the 64-bit one (LUNORIA_WINE64_ONLY=1 asks for the 64-bit one; see tools/wine-env.sh).
#   With DISPLAY set: on that display, in a Wine prefix of its own that keeps the settings and
#   memos between runs (LUNORIA_PREFIX, default ~/.local/share/lunoria/wine). Ends with the program.
#   Without DISPLAY: on a virtual screen in a throw-away prefix; saves a screenshot once the
#   calendar has painted, prints its path and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
tools/setup.sh all
export LC_ALL=C.UTF-8  # the window title and the memo folder's name are Chinese

# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
wine_env_choose
preset=mingw-i686
[ "$LUNORIA_WINE_MODE" = win64 ] && preset=mingw-x64
echo "run: $LUNORIA_WINE_WHY; starting the ${preset#mingw-} calendar"
cmake --preset $preset >/dev/null
cmake --build --preset $preset -j"$(nproc)" --target lunoria >/dev/null
exe=$root/build/$preset/app/lunoria.exe

if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX=${LUNORIA_PREFIX:-$HOME/.local/share/lunoria/wine}
    export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    [ "$LUNORIA_WINE_MODE" = win64 ] && wine_env_use_win64 "$(mktemp -d /tmp/lunoria-bin.XXXXXX)"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "run: making the Wine prefix $WINEPREFIX (once)"
        wine_env_init_prefix || { rm -rf "$WINEPREFIX"; echo "run: could not set up Wine"; exit 1; }
    fi
    echo "run: starting $exe on $DISPLAY; end it with x → 结束程序"
    exec wine "$exe"
fi

wine_env_start "$([ "$LUNORIA_WINE_MODE" = win64 ] && echo win64)" || { echo "run: could not set up Wine"; exit 1; }
ready='C:\lunoria-ready.txt'
LUNORIA_READY_FILE=$ready timeout -k 5 120 wine "$exe" >/dev/null 2>&1 &
app=$!
ready_unix=$WINEPREFIX/drive_c/lunoria-ready.txt
for _ in $(seq 300); do
    [ -f "$ready_unix" ] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
[ -f "$ready_unix" ] || { echo "run: the calendar did not start"; exit 1; }
sleep 0.5  # let the labels and lists finish their own paints
shot=$root/build/lunoria-screen.png
tools/screenshot.sh "$shot"
echo "run: the calendar started on a virtual screen (no DISPLAY); screenshot: $shot"
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
