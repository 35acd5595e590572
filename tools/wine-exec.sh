#!/usr/bin/env bash
# Runs one Windows program under Wine inside the environment of tools/wine-env.sh (set up by
# tools/wine-test.sh): this is the CMAKE_CROSSCOMPILING_EMULATOR of the MinGW builds, so ctest runs
# every Windows test through it. LUNORIA_WINE_TIMEOUT (seconds, default 100) bounds one run.
if [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX" ] || [ -z "${DISPLAY:-}" ]; then
    echo "wine-exec: no Wine environment (WINEPREFIX, DISPLAY); run the tests with tools/wine-test.sh BUILD_DIR" >&2
    exit 2
fi
exec timeout -k 5 "${LUNORIA_WINE_TIMEOUT:-100}" wine "$@"
