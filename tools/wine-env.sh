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
# 32-bit or 64-bit Wine: wine_env_choose tries the 32-bit loader once. Where it starts ("wow": 32- and
# 64-bit exes run), Wine is used as installed. Where it does not (kernels that refuse 32-bit programs
# answer "Exec format error"), or where LUNORIA_WINE64_ONLY=1 or the caller asks for it, every call goes
# to the 64-bit loader ("win64": x86_64 exes only): a folder of shims named wine and wine-stable leads
# the PATH (Debian's winepath and friends exec wine-stable by name) and WINELOADER points Wine's own
# process starts at wine64. LUNORIA_WINE_MODE and LUNORIA_WINE_WHY say which was chosen and why.
#
# End-to-end scripts (ctest entries in a MinGW build that run `bash script.sh $<TARGET_FILE:exe> ...`)
# run inside this environment when started by tools/wine-test.sh: start the exe in the background with
# "$LUNORIA_WINE_EXEC" exe args &, give it Windows paths as Z: plus the Unix path with backslashes,
# wait for a flag file the program writes when it is ready (fixed sleeps are flaky), drive it with
# xdotool, and save pictures with "$LUNORIA_SCREENSHOT" "$LUNORIA_SCREENSHOT_DIR/name.png".
# tests/win/screenshot_test.sh is a small example.

lunoria_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

wine_env_log() { echo "wine-env: $*" >&2; }

wine_env_loader32=/usr/lib/wine/wine
wine_env_loader64=/usr/lib/wine/wine64

# The first line of a failed command's output that says what went wrong.
wine_env_first_error() {
    local line
    line=$(grep -a -m1 -iE 'error|cannot|not found|failed|denied|no such' <<<"$1")
    [ -n "$line" ] || line=$(grep -a -m1 . <<<"$1")
    printf '%s' "${line:-no output}"
}

# wine_env_choose [win64]: sets LUNORIA_WINE_MODE (wow | win64) and LUNORIA_WINE_WHY, by trying.
wine_env_choose() {
    local out
    if [ "${1:-}" = win64 ] && [ "${LUNORIA_WINE_MODE:-}" = win64 ]; then
        : # already chosen, with its reason
    elif [ "${1:-}" = win64 ]; then
        LUNORIA_WINE_MODE=win64
        LUNORIA_WINE_WHY="64-bit Wine only, as asked"
    elif [ "${LUNORIA_WINE64_ONLY:-0}" = 1 ]; then
        LUNORIA_WINE_MODE=win64
        LUNORIA_WINE_WHY="64-bit Wine only: LUNORIA_WINE64_ONLY=1"
    elif [ ! -x "$wine_env_loader32" ]; then
        LUNORIA_WINE_MODE=win64
        LUNORIA_WINE_WHY="64-bit Wine only: no 32-bit loader $wine_env_loader32"
    # bash, not execvp: on "Exec format error" execvp would retry the ELF file as a shell script.
    elif out=$(timeout -k 2 20 bash -c 'exec "$0" --version' "$wine_env_loader32" 2>&1); then
        LUNORIA_WINE_MODE=wow
        LUNORIA_WINE_WHY="32-bit programs run here ($wine_env_loader32 --version: $out)"
    else
        LUNORIA_WINE_MODE=win64
        LUNORIA_WINE_WHY="64-bit Wine only: 32-bit programs cannot start here ($(wine_env_first_error "$out"))"
    fi
    export LUNORIA_WINE_MODE LUNORIA_WINE_WHY
}

# Points every wine call of this shell and its children at the 64-bit loader. $1: a folder for the shims.
wine_env_use_win64() {
    local bin=$1 name
    mkdir -p "$bin"
    for name in wine wine-stable wine64; do
        printf '#!/bin/sh\nexec %s "$@"\n' "$wine_env_loader64" >"$bin/$name"
        chmod +x "$bin/$name"
    done
    export PATH=$bin:$PATH
    export WINELOADER=$wine_env_loader64
}

# Makes the prefix (wineboot) and imports the fonts and settings; says why when it cannot.
# Output goes to a file, not a pipe: Wine's services outlive wineboot and would hold a pipe open.
wine_env_init_prefix() {
    local out=$WINEPREFIX.log
    mkdir -p "$WINEPREFIX"
    if ! timeout -k 5 120 wine wineboot --init >"$out" 2>&1; then
        wine_env_log "wineboot failed ($LUNORIA_WINE_MODE): $(wine_env_first_error "$(cat "$out")")"
        return 1
    fi
    wine_env_registry "$WINEPREFIX/drive_c/lunoria.reg"
    if ! timeout -k 5 60 wine regedit /S 'C:\lunoria.reg' >"$out" 2>&1; then
        wine_env_log "regedit failed: $(wine_env_first_error "$(cat "$out")")"
        return 1
    fi
}

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

# wine_env_start [win64]: the fresh environment; win64 takes the 64-bit-only path even where 32-bit runs.
wine_env_start() {
    local root
    wine_env_choose "${1:-}"
    wine_env_log "$LUNORIA_WINE_WHY"
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
    [ "$LUNORIA_WINE_MODE" = win64 ] && wine_env_use_win64 "$root/bin"

    if [ -z "${DISPLAY:-}" ]; then
        # -displayfd picks a free display number and writes it once the server listens.
        Xvfb -displayfd 3 -screen 0 "${LUNORIA_SCREEN:-1024x768x24}" -nolisten tcp 3>"$root/display" 2>"$root/xvfb.log" &
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
    wine_env_init_prefix
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    [ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }
    wine_env_start || exit 1
    "$@"
    exit $?
fi
