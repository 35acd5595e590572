#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and fuzzes the memo file loader for SECONDS
# (default 25), then the holiday schedule parser for a third of that, each from a small seed corpus
# made here. Fails on any crash, leak or sanitizer report.
# Usage: tools/fuzz.sh [SECONDS]     Build folder: $FUZZ_BUILD_DIR or build/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-25}
build=${FUZZ_BUILD_DIR:-build/fuzz}

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j2 --target memo_fuzz holiday_json_fuzz

work=$(mktemp -d /tmp/lunoria-fuzz-run.XXXXXX)
# The target writes memo files on every run; tmpfs keeps that cheap.
files=$(mktemp -d /dev/shm/lunoria-fuzz.XXXXXX 2>/dev/null || mktemp -d /tmp/lunoria-fuzz.XXXXXX)
trap 'rm -rf "$work" "$files"' EXIT
export LUNORIA_FUZZ_DIR=$files
seeds=$work/seeds
mkdir -p "$seeds" "$work/corpus"
seed() { printf "$2" >"$seeds/$1"; }
seed empty ''
seed one '\x64'
seed header '\x64\x00'
seed abc '\x64\x00\x05\x00\x03\x00\x00\x00\x00\x00abc'
seed custom '\x64\x00\x05\x00\x03\x00\xff\x00\x00\x01abc'
seed custom-empty '\x64\x00\x05\x00\x00\x00\xff\x00\x00\x01'
seed repeated '\x64\x00\x04\x00\x01\x00\x00\x00\x00\x00a\x04\x00\x02\x00\x00\x00\x00\x00bc'
seed slot40 '\x64\x00\x03\x00\x01\x00\x00\x00\x00\x00a\x28\x00\x01\x00\x00\x00\x00\x00z'
seed negative '\x64\x00\xff\xff\x01\x00\x00\x00\x00\x00z'
seed truncated '\x64\x00\x03\x00\x09\x00\x00\x00\x00\x00ab'
seed week7 '\xff\xff\x07\x00\x04\x00\x00\x00\x00\x00\xd6\xdc\r\n'

# fuzz TARGET SECONDS CORPUS SEEDS [OPTION...]: runs the built target (a path under the build folder) in
# one process for SECONDS, with stats at the end (-fork would hide exec/s). On a finding it shows the
# log's end, keeps the inputs in build/fuzz-artifacts and fails.
fuzz() {
    local target=$1 secs=$2 corpus=$3 seedDir=$4 name log status=0 runs rate
    shift 4
    name=$(basename "$target") log=$work/$name.log
    "$build/$target" -max_total_time="$secs" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 "$@" \
        -artifact_prefix="$work/" "$corpus" "$seedDir" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    if [ "$status" -ne 0 ]; then
        tail -60 "$log"
        mkdir -p build/fuzz-artifacts
        cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* build/fuzz-artifacts/ 2>/dev/null || true
        echo "$name FAILED (exit $status); inputs kept in build/fuzz-artifacts"
        exit 1
    fi
    echo "$name: ${runs:-?} runs in ${secs} s, ${rate:-?} exec/s, no crash or leak"
}
fuzz memo/memo_fuzz "$seconds" "$work/corpus" "$seeds" -max_len=4096

# The holiday schedule parser: seeds of the served format, the December case and refusals.
hseeds=$work/holiday-seeds
mkdir -p "$hseeds" "$work/holiday-corpus"
hseed() { printf '%s' "$2" >"$hseeds/$1"; }
hseed good '{"year":2027,"papers":["https://www.gov.cn/x"],"days":[{"name":"元旦","date":"2026-12-31","isOffDay":true},{"name":"国庆节、中秋节","date":"2027-10-09","isOffDay":false}]}'
hseed empty '{"year":2028,"papers":[],"days":[]}'
hseed schema '{"$schema":"x","$id":"y","year":2027,"papers":[],"days":[{"name":"x","date":"2027-02-30","isOffDay":true}]}'
fuzz holidays/holiday_json_fuzz $(((seconds + 2) / 3)) "$work/holiday-corpus" "$hseeds" -max_len=70000 \
    -dict=<(printf '"year"\n"papers"\n"days"\n"name"\n"date"\n"isOffDay"\n"true"\n"false"\n')
