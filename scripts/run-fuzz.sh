#!/usr/bin/env bash
# Runs every fuzz target for a set time and prints runs and findings.
# Usage: scripts/run-fuzz.sh BUILD_DIR SECONDS
# The seed corpus in fuzz/corpus/TARGET is read but never written; inputs the
# fuzzer finds go to BUILD_DIR/corpus. Every file in fuzz/regressions/TARGET
# (past findings) is run first and must pass.
set -uo pipefail

build=$1
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
failed=0

printf '\n%-16s %8s %14s %10s\n' target seconds runs findings
for binary in "$build"/fuzz_*; do
    target=${binary##*/fuzz_}
    work="$build/corpus/$target"
    artifacts="$build/findings/$target"
    mkdir -p "$work" "$artifacts"
    regressions=("$root/fuzz/regressions/$target"/*)
    if [[ -e "${regressions[0]}" ]]; then
        if ! "$binary" "${regressions[@]}" >"$build/$target.regressions.log" 2>&1; then
            echo "$target: a past finding fails again, see $build/$target.regressions.log" >&2
            failed=1
        fi
    fi
    log="$build/$target.log"
    "$binary" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" \
        -timeout=10 -rss_limit_mb=2048 "$work" "$root/fuzz/corpus/$target" >"$log" 2>&1
    status=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
    findings=$(find "$artifacts" -type f | wc -l)
    printf '%-16s %8s %14s %10s\n' "$target" "$seconds" "${runs:-?}" "$findings"
    if [[ $status -ne 0 || $findings -ne 0 ]]; then
        echo "$target: finding(s) in $artifacts, log in $log" >&2
        failed=1
    fi
done
exit $failed
