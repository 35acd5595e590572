#!/usr/bin/env bash
# Saves what the screen of $DISPLAY shows as a PNG: tools/screenshot.sh OUT.png
# ImageMagick's `import -window root` reads the screen with one GetImage. `xwd -root` is not used: on
# Xvfb its multi-visual path returns black for Wine popups that lie wholly over another Wine window
# (the hover tip over the calendar), though they are on screen.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUT.png" >&2; exit 2; }
[ -n "${DISPLAY:-}" ] || { echo "screenshot: no DISPLAY" >&2; exit 2; }
mkdir -p "$(dirname "$1")"
timeout -k 2 20 import -window root "$1"
