#!/usr/bin/env bash
# Prints the render's time at each scale beside a memcpy of as many output
# bytes, and their ratio. Figures only.
set -euo pipefail
bench=$1
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$bench" --benchmark_min_time=0.2 --benchmark_format=csv >"$out" 2>/dev/null
"$bench" --benchmark_min_time=0.05 --benchmark_filter=render/1 | tail -n 1
awk -F, '
    /^"render\/[0-9]"/ { split($1, a, "/"); gsub("\"", "", a[2]); render[a[2]] = $4 }
    /^"memcpy\/[0-9]"/ { split($1, a, "/"); gsub("\"", "", a[2]); copy[a[2]] = $4 }
    END {
        for (s = 1; s <= 4; ++s)
            printf "scale %d: render %.0f ns, memcpy %.0f ns, ratio %.2f\n", s, render[s], copy[s], render[s] / copy[s]
    }' "$out"
