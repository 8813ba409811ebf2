#!/usr/bin/env bash
# Builds Tavlor.exe (MinGW-w64 cross build) and, with "native", the native
# test build as well.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install_deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
if [ "${1:-}" = "native" ]; then
    cmake --preset native >/dev/null
    cmake --build --preset native
fi
