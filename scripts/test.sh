#!/usr/bin/env bash
# Runs every test: the native unit tests and the end-to-end tests of the real
# Tavlor.exe under Wine. Ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh native
ctest --preset native --parallel 2 "$@"
