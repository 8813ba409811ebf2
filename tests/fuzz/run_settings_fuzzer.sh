#!/usr/bin/env bash
# Runs the settings fuzzer for at most 20 seconds or 200000 inputs, from the
# committed seeds; what it finds goes to a scratch corpus in the build tree.
set -euo pipefail
fuzzer=$1
seeds=$2
work=$3/settings_corpus
mkdir -p "$work"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
"$fuzzer" -max_total_time=20 -runs=200000 -print_final_stats=1 \
    -artifact_prefix="$3/" "$work" "$seeds" >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    cat "$log"
    exit "$status"
fi
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)|INITED|cov:' "$log" | tail -n 6
