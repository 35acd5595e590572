#!/usr/bin/env bash
# Saves what the screen of $DISPLAY shows as a PNG: tools/screenshot.sh OUT.png
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 OUT.png" >&2; exit 2; }
[ -n "${DISPLAY:-}" ] || { echo "screenshot: no DISPLAY" >&2; exit 2; }
mkdir -p "$(dirname "$1")"
timeout -k 2 20 xwd -root -silent | timeout -k 2 20 convert xwd:- "$1"
