#!/usr/bin/env bash
# Screenshot of the showcase window under Wine: runs it, waits for its ready flag, grabs the screen,
# and checks that the picture holds the tip's yellow and the labels' colours.
# Usage: screenshot_test.sh SHOWCASE_EXE OUT.png   (inside tools/wine-test.sh)
set -uo pipefail
exe=$1
out=$2
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
[ -n "${LUNORIA_WINE_ROOT:-}" ] || { echo "no Wine environment: run through tools/wine-test.sh" >&2; exit 2; }

flags=$(mktemp -d "$LUNORIA_WINE_ROOT/showcase.XXXXXX")
winPath() { echo "Z:${1//\//\\}"; }
LUNORIA_WINE_TIMEOUT=40 "$tools/wine-exec.sh" "$exe" "$(winPath "$flags/ready")" "$(winPath "$flags/done")" &
pid=$!
for _ in $(seq 200); do
    [ -e "$flags/ready" ] && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
done
[ -e "$flags/ready" ] || { echo "showcase never became ready"; exit 1; }
"$tools/screenshot.sh" "$out"
touch "$flags/done"
wait $pid
rc=$?
[ $rc -eq 0 ] || { echo "showcase exited with $rc"; exit 1; }

# Colours the picture must hold: the tip's yellow and red, the top band, the hover colour.
colours=$(convert "$out" -format %c histogram:info:- | grep -o '#[0-9A-F]\{6\}' | sort -u)
missing=0
for want in '#FFFF00' '#FF0000' '#32505A' '#FF4040'; do
    grep -qx "$want" <<<"$colours" || { echo "screenshot lacks $want"; missing=1; }
done
[ $missing -eq 0 ] && echo "screenshot: $out"
exit $missing
