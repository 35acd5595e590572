#!/usr/bin/env bash
# One fresh Wine environment for one test run: a temporary HOME and WINEPREFIX, the Chinese font
# replacements, no crash dialogs, a persistent wineserver and, without a DISPLAY, a private Xvfb.
#
#   source tools/wine-env.sh && wine_env_start     # exports the environment; cleanup runs on EXIT
#                                                  # (a later `trap ... EXIT` must call wine_env_stop)
#   tools/wine-env.sh COMMAND [ARGS...]            # runs one command inside a fresh environment
#
# Exported for the commands run inside: WINEPREFIX, WINEARCH, WINEDEBUG, WINEDLLOVERRIDES, HOME,
# TMPDIR, DISPLAY, LC_ALL (UTF-8, so window titles and xdotool typing keep their Chinese),
# LUNORIA_WINE_ROOT (the temporary folder, removed at the end), LUNORIA_WINE_EXEC (tools/wine-exec.sh:
# runs one exe under a time-out) and LUNORIA_SCREENSHOT (tools/screenshot.sh OUT.png: the screen as PNG).
# Every wine call runs under `timeout -k 5`.
#
# End-to-end scripts (ctest entries in a MinGW build that run `bash script.sh $<TARGET_FILE:exe> ...`)
# run inside this environment when started by tools/wine-test.sh: start the exe in the background with
# "$LUNORIA_WINE_EXEC" exe args &, give it Windows paths as Z: plus the Unix path with backslashes,
# wait for a flag file the program writes when it is ready (fixed sleeps are flaky), drive it with
# xdotool, and save pictures with "$LUNORIA_SCREENSHOT" "$LUNORIA_SCREENSHOT_DIR/name.png".
# tests/win/screenshot_test.sh is a small example.

lunoria_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

wine_env_log() { echo "wine-env: $*" >&2; }

wine_env_stop() {
    [ -n "${LUNORIA_WINE_ROOT:-}" ] || return 0
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        timeout -k 2 10 wineserver -k >/dev/null 2>&1
        timeout -k 2 10 wineserver -w >/dev/null 2>&1
    fi
    if [ -n "${lunoria_xvfb_pid:-}" ]; then
        kill "$lunoria_xvfb_pid" 2>/dev/null
        wait "$lunoria_xvfb_pid" 2>/dev/null
        lunoria_xvfb_pid=
    fi
    rm -rf "$LUNORIA_WINE_ROOT"
    LUNORIA_WINE_ROOT=
}

# A REG_MULTI_SZ of one string as .reg hex bytes (UTF-16LE, two terminating NULs).
wine_env_multi_sz() {
    printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//'
    printf ',00,00,00,00'
}

# Font replacements and links, crash-dialog switch, as a UTF-16LE .reg with BOM (the only form regedit
# imports with Chinese value names intact).
wine_env_registry() {
    local reg=$1
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        local face
        for face in 宋体 新宋体 SimSun NSimSun; do printf '"%s"="AR PL UMing CN"\r\n' "$face"; done
        for face in 楷体_GB2312 楷体 KaiTi; do printf '"%s"="AR PL UKai CN"\r\n' "$face"; done
        for face in 黑体 SimHei 微软雅黑; do printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"; done
        printf '"Arial Black"="DejaVu Sans"\r\n\r\n'
        # Chinese Windows links Western faces to a Chinese one for missing glyphs ("Arial" date lines,
        # the "System" font of the exit dialog, message boxes); Wine does so only in a Chinese locale.
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
        for face in Arial System Tahoma "MS Shell Dlg" "MS Sans Serif" "Microsoft Sans Serif"; do
            printf '"%s"=hex(7):%s\r\n' "$face" "$(wine_env_multi_sz 'uming.ttc,AR PL UMing CN')"
        done
        printf '\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n'
        printf '"ShowCrashDialog"=dword:00000000\r\n\r\n'
        # On our own Xvfb there is no window manager, and hiding or destroying a managed window waits
        # 2 s for one; unmanaged windows go at once, and Wine then draws their title bars itself.
        # Clicks and typing by xdotool work the same. A real desktop keeps Wine's default, and
        # LUNORIA_WINE_MANAGED=Y|N decides in any case.
        local managed=${LUNORIA_WINE_MANAGED:-}
        [ -z "$managed" ] && [ -n "${lunoria_xvfb_pid:-}" ] && managed=N
        if [ -n "$managed" ]; then
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n'
            printf '"Managed"="%s"\r\n' "$managed"
        fi
    } | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg"
}

wine_env_start() {
    local root
    root=$(mktemp -d /tmp/lunoria-wine.XXXXXX) || return 1
    export LUNORIA_WINE_ROOT=$root
    trap wine_env_stop EXIT
    trap 'exit 130' INT TERM

    export HOME=$root/home
    # Wine puts its server socket folder under TMPDIR: inside the root, it goes with the rest.
    export TMPDIR=$root/tmp
    mkdir -p "$HOME" "$TMPDIR"
    export WINEPREFIX=$root/prefix
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export LC_ALL=C.UTF-8
    export LUNORIA_SCREENSHOT=$lunoria_tools/screenshot.sh
    export LUNORIA_WINE_EXEC=$lunoria_tools/wine-exec.sh

    if [ -z "${DISPLAY:-}" ]; then
        # -displayfd picks a free display number and writes it once the server listens.
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$root/display" 2>"$root/xvfb.log" &
        lunoria_xvfb_pid=$!
        local i
        for i in $(seq 100); do
            [ -s "$root/display" ] && break
            sleep 0.05
        done
        [ -s "$root/display" ] || { wine_env_log "Xvfb did not start"; cat "$root/xvfb.log" >&2; return 1; }
        export DISPLAY=:$(head -1 "$root/display")
    fi

    # Keep the server up between the many short runs: each exe then starts in a fraction of a second.
    # Started first, so that it is this persistent server that wineboot and every test use.
    mkdir -p "$WINEPREFIX"
    timeout -k 5 10 wineserver -p >/dev/null 2>&1 || true
    timeout -k 5 120 wine wineboot --init >/dev/null 2>&1 || { wine_env_log "wineboot failed"; return 1; }

    wine_env_registry "$WINEPREFIX/drive_c/lunoria.reg"
    timeout -k 5 60 wine regedit /S 'C:\lunoria.reg' >/dev/null 2>&1 || { wine_env_log "regedit failed"; return 1; }
    return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    [ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }
    wine_env_start || exit 1
    "$@"
    exit $?
fi
