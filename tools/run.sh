#!/usr/bin/env bash
# Builds the calendar and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh native
cmake --preset linux >/dev/null
cmake --build --preset linux -j"$(nproc)" --target lunoria-cal >/dev/null
exec build/linux/tools/cal/lunoria-cal "$@"
