#!/usr/bin/env bash
# Prints the tick's time per scenario (Google Benchmark) and its instructions
# per tick (callgrind, counting only inside emulationTick). Figures only.
set -euo pipefail
bench=$1
ticks=5000

"$bench" --benchmark_min_time=0.2

if ! command -v valgrind >/dev/null; then
    echo "valgrind not found: no instruction counts"
    exit 0
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for scenario in idle all-sixteen-changing twelve-repeating-auto; do
    valgrind --tool=callgrind --callgrind-out-file="$out/$scenario.out" \
        --toggle-collect='emulationTick()' "$bench" "--callgrind=$scenario" "$ticks" \
        >/dev/null 2>&1
    total=$(callgrind_annotate "$out/$scenario.out" 2>/dev/null |
        awk '/PROGRAM TOTALS/ && !done { gsub(",", "", $1); print $1; done = 1 }')
    echo "callgrind $scenario: $((total / ticks)) instructions per tick ($total over $ticks ticks)"
done
