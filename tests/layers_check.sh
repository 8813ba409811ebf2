#!/usr/bin/env bash
# The folders depend one way: app/ on input/, mapping/, view/ and companion/,
# those on core/, and core/ on nothing of Tavlor's. Inside app/ the window
# uses the menu, the dialogs and the companion, and the menu the companion.
# The input layer's queueing decisions stay inside it, so nothing outside can
# forget to inject them.
cd "${1:?repository root}" || exit 2
check() { # check NAME FILES... -- PATTERN: no file may include a header matching PATTERN
    local name=$1 hits
    hits=$(grep -n -E "#include \"($3)" $2 2>/dev/null) && { echo "$name: $hits"; return 1; } || true
}
ok=0
check "layers below app/ include app/" "input/* mapping/* view/* companion/* core/*" 'app/' || ok=1
check "core/ includes a layer above it" "core/*" 'input/|mapping/|view/|companion/' || ok=1
check "app/ queues input without injecting it" "app/*/*" 'input/(engine|emulation)\.h' || ok=1
check "the menu includes the window" "app/menu/*" 'app/(window|dialogs)/' || ok=1
check "the companion includes the window or the menu" "app/companion/*" 'app/(window|menu|dialogs)/' || ok=1
check "the dialogs include the window" "app/dialogs/*" 'app/(window|menu|companion)/' || ok=1
exit $ok
