#!/usr/bin/env bash
# Fuzzes Quillmark's text rules with libFuzzer (AddressSanitizer and
# UndefinedBehaviorSanitizer on), one target after the other:
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
# Each run starts from the target's corpus in tests/fuzz/corpus and keeps
# what it learns in build/fuzz-corpus/<target>; an input that breaks an
# invariant or trips a sanitizer lands in build/fuzz-findings/<target>/.
# Prints executions, coverage (edges and features) and findings per target;
# exits non-zero when anything was found.
set -uo pipefail

cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)
seconds=${1:-60}
shift $(( $# > 0 ? 1 : 0 ))

. scripts/lib/ensure_packages.sh
. scripts/lib/fuzz_build.sh
ensure_packages clang libclang-rt-14-dev cmake make || { echo "package installation failed"; exit 1; }
build_fuzzers || { echo "fuzzer build failed"; exit 1; }

targets=("$@")
[ ${#targets[@]} -eq 0 ] && mapfile -t targets < <(fuzz_targets)
mkdir -p "$root/build/logs"
total_findings=0
printf '%-18s %12s %8s %8s %8s %9s\n' target executions edges features corpus findings
for target in "${targets[@]}"; do
    corpus="$root/build/fuzz-corpus/$target"
    findings="$root/build/fuzz-findings/$target"
    log="$root/build/logs/fuzz-$target.log"
    mkdir -p "$corpus" "$findings"
    before=$(find "$findings" -type f | wc -l)
    # One process, one core; a finding ends the target's run early.
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 "$(fuzzer_exe "$target")" \
        -max_total_time="$seconds" -print_final_stats=1 -dict="$(fuzz_dictionary "$target")" \
        -artifact_prefix="$findings/" "$corpus" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1
    found=$(( $(find "$findings" -type f | wc -l) - before ))
    total_findings=$((total_findings + found))
    executions=$(grep -Eo 'stat::number_of_executed_units: [0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -n 1)
    status=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
    edges=$(grep -Eo 'cov: [0-9]+' <<<"$status" | grep -Eo '[0-9]+')
    features=$(grep -Eo 'ft: [0-9]+' <<<"$status" | grep -Eo '[0-9]+')
    inputs=$(grep -Eo 'corp: [0-9]+' <<<"$status" | grep -Eo '[0-9]+')
    printf '%-18s %12s %8s %8s %8s %9s\n' "$target" "${executions:-?}" "${edges:-?}" "${features:-?}" \
        "${inputs:-?}" "$found"
    [ "$found" -gt 0 ] && grep -E 'invariant broken|ERROR: |runtime error' "$log" | head -n 3 | sed 's/^/    /'
done
echo "$total_findings findings in ${#targets[@]} targets, ${seconds}s each"
[ "$total_findings" -eq 0 ]
