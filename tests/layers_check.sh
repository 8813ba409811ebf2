#!/usr/bin/env bash
# The folders depend one way: app/ on input/, mapping/ and view/, those on
# core/, and core/ on nothing of Tavlor's. The input layer's queueing
# decisions stay inside it, so nothing outside can forget to inject them.
cd "${1:?repository root}" || exit 2
check() { # check NAME FILES... -- PATTERN: no file may include a header matching PATTERN
    local name=$1 hits
    hits=$(grep -n -E "#include \"($3)" $2 2>/dev/null) && { echo "$name: $hits"; return 1; } || true
}
ok=0
check "layers below app/ include app/" "input/* mapping/* view/* core/*" 'app/' || ok=1
check "core/ includes a layer above it" "core/*" 'input/|mapping/|view/' || ok=1
check "app/ queues input without injecting it" "app/*" 'input/(engine|emulation)\.h' || ok=1
exit $ok
