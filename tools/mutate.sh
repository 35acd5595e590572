#!/usr/bin/env bash
# Mutation pass over the portable core: applies each mutant (one realistic fault per patch in
# tests/mutants/), rebuilds the native code in its own build folder, runs the native suite and says
# whether a test caught the fault. The tree is restored after every mutant, also when the run is
# interrupted; a run killed outright is repaired by the next start.
#
#   tools/mutate.sh                    every mutant
#   tools/mutate.sh tests/mutants/x.patch ...
#   tools/mutate.sh --check            only check that every mutant still applies (seconds)
#   tools/mutate.sh --restore          put back the files of a pass that was killed outright
#
# Exit status: 0 when every mutant was killed or its patch explains why it cannot matter
# ("Harmless:" line), 1 otherwise, 2 when the pass could not run.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${MUTATE_BUILD:-$root/build/mutate}
jobs=${MUTATE_JOBS:-2}
# The table generator checks (*_regenerate*) compare generated tables with the checked-in ones; no
# mutant touches either, and they are the slowest entries. The patch check fails on any applied mutant.
skipTests=${MUTATE_SKIP:-regenerate|mutants_apply}

check=0
restoreOnly=0
case "${1:-}" in
--check) check=1; shift ;;
--restore) restoreOnly=1; shift ;;
esac
if [ $# -gt 0 ]; then
    patches=("$@")
else
    patches=(tests/mutants/*.patch)
fi

# Files a patch changes, one per line.
files_of() { git apply --numstat "$1" | cut -f3; }

if [ $check -eq 1 ]; then
    bad=0
    for p in "${patches[@]}"; do
        git apply --check "$p" 2>/dev/null || { echo "does not apply: $p"; bad=$((bad + 1)); }
    done
    echo "${#patches[@]} mutants, $bad do not apply"
    [ -f "$build/applied" ] && echo "a mutant may still be in place: tools/mutate.sh --restore"
    [ $bad -eq 0 ]
    exit
fi

mkdir -p "$build"
exec 9>"$build/mutate.lock"
flock -n 9 || { echo "another mutation pass is running on $build"; exit 2; }

# Pristine copies of the files under mutation, and a marker naming them while a mutant is applied.
pristine=$build/pristine
marker=$build/applied
restore() {
    [ -f "$marker" ] || return 0
    local f
    while IFS= read -r f; do
        # A plain copy gives the file a new time stamp, so every build sees it changed back.
        cp "$pristine/$f" "$f" || { echo "cannot restore $f from $pristine" >&2; return 1; }
    done <"$marker"
    rm -f "$marker"
}
restore || exit 2 # an earlier run was killed with a mutant in place
[ $restoreOnly -eq 0 ] || exit 0
trap 'restore' EXIT
trap 'echo "interrupted; tree restored" >&2; exit 130' INT TERM HUP

log=$build/logs
mkdir -p "$log"
suite() {
    ctest --test-dir "$build" -j"$jobs" --timeout 180 --output-on-failure -E "$skipTests" >"$1" 2>&1
}

echo "== baseline (build folder $build)"
if ! { cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUNORIA_BENCH=OFF >"$log/configure.log" 2>&1 &&
       cmake --build "$build" -j"$jobs" >"$log/build.log" 2>&1; }; then
    echo "the unchanged tree does not build; see $log/build.log"
    exit 2
fi
if ! suite "$log/baseline.log"; then
    echo "the unchanged tree fails its tests; see $log/baseline.log"
    exit 2
fi

killed=0
survived=0
explained=0
unbuilt=0
unapplied=0
survivors=()
for p in "${patches[@]}"; do
    name=$(basename "$p" .patch)
    start=$SECONDS
    if ! git apply --check "$p" 2>/dev/null; then
        printf '%-40s does not apply\n' "$name"
        unapplied=$((unapplied + 1))
        continue
    fi
    mapfile -t changed < <(files_of "$p")
    for f in "${changed[@]}"; do
        mkdir -p "$pristine/$(dirname "$f")"
        cp "$f" "$pristine/$f"
    done
    printf '%s\n' "${changed[@]}" >"$marker"
    git apply "$p"

    if ! cmake --build "$build" -j"$jobs" >"$log/$name.build.log" 2>&1; then
        result="not built (the compiler rejects it)"
        unbuilt=$((unbuilt + 1))
    elif suite "$log/$name.log"; then
        if grep -q '^Harmless:' "$p"; then
            result="survived, harmless (see patch)"
            explained=$((explained + 1))
        else
            result="SURVIVED"
            survivors+=("$name")
        fi
        survived=$((survived + 1))
    else
        failing=$(sed -nE 's/^[[:space:]]*[0-9]+ - ([^ ]+) .*/\1/p' "$log/$name.log" | paste -sd, -)
        cases=$(sed -nE 's/^\[  FAILED  \] ([A-Za-z0-9_]+\.[A-Za-z0-9_]+).*/\1/p' "$log/$name.log" | sort -u |
                paste -sd' ' -)
        result="killed by ${failing:-the suite}${cases:+: $cases}"
        killed=$((killed + 1))
    fi
    restore || exit 2
    printf '%-40s %s (%d s)\n' "$name" "$result" $((SECONDS - start))
done

counted=$((killed + survived))
echo
echo "mutants: ${#patches[@]}; killed $killed, survived $survived ($explained harmless), not built $unbuilt, not applied $unapplied"
if [ $counted -gt 0 ]; then
    echo "score: $killed of $counted killed ($((100 * killed / counted)) %)"
fi
[ ${#survivors[@]} -eq 0 ] || echo "survivors without a reason: ${survivors[*]}"
[ ${#survivors[@]} -eq 0 ] && [ $unapplied -eq 0 ]
