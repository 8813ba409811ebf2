#!/usr/bin/env bash
# Prints the tick and render timings, then callgrind's instructions per tick
# and per second at each poll rate.
set -euo pipefail
bench=$1 ticks=5000
"$bench" --benchmark_min_time=0.2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for rate in 50 125 250 500; do for scenario in idle busy; do
    valgrind --tool=callgrind --callgrind-out-file="$out/$scenario" --toggle-collect='decideTick(bool, int)' \
        "$bench" "--callgrind=$scenario" "$ticks" "$rate" >/dev/null 2>&1
    total=$(callgrind_annotate "$out/$scenario" | awk '/PROGRAM TOTALS/ && !n++ { gsub(",", "", $1); print $1 }')
    echo "callgrind $scenario tick at $rate/s: $((total / ticks)) instructions per tick, $((total * rate / ticks)) per second"
done; done
