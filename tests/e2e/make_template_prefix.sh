#!/usr/bin/env bash
# Makes the Wine prefix that every end-to-end test copies: wineboot once, then
# pointer acceleration off, so a recorded pointer move is the distance sent.
# Does nothing when the template is already there for this Wine version.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

mkdir -p "$(dirname "$E2E_TEMPLATE_PREFIX")"
exec 9>"$E2E_TEMPLATE_PREFIX.lock"
flock 9
stamp=$(e2e_template_stamp)
if [[ $(cat "$E2E_TEMPLATE_PREFIX/$E2E_TEMPLATE_STAMP_NAME" 2>/dev/null) == "$stamp" ]]; then
    e2e_log "template prefix $E2E_TEMPLATE_PREFIX is up to date"
    exit 0
fi

E2E_TMP=$(mktemp -d "$(dirname "$E2E_TEMPLATE_PREFIX")/template-prefix.XXXXXX")
E2E_XVFB_PID=
export WINEPREFIX=$E2E_TMP/prefix
finish() {
    local status=$?
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    timeout 30 wineserver -w >/dev/null 2>&1 || true
    if [[ -n $E2E_XVFB_PID ]]; then
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$E2E_TMP"
    exit "$status"
}
trap finish EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

e2e_start_xvfb
e2e_log "wineboot in $WINEPREFIX"
wineboot -i >"$E2E_TMP/wineboot.log" 2>&1 || { cat "$E2E_TMP/wineboot.log" >&2; e2e_fail "wineboot failed"; }
cat >"$E2E_TMP/mouse.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Mouse]
"MouseSpeed"="0"
"MouseThreshold1"="0"
"MouseThreshold2"="0"
REG
wine reg import 'Z:'"${E2E_TMP//\//\\}"'\mouse.reg' >"$E2E_TMP/reg.log" 2>&1 ||
    { cat "$E2E_TMP/reg.log" >&2; e2e_fail "cannot set the mouse values"; }
timeout 120 wineserver -w
grep -q '"MouseSpeed"="0"' "$WINEPREFIX/user.reg" || e2e_fail "MouseSpeed did not reach user.reg"

echo "$stamp" >"$WINEPREFIX/$E2E_TEMPLATE_STAMP_NAME"
rm -rf "$E2E_TEMPLATE_PREFIX"
mv "$WINEPREFIX" "$E2E_TEMPLATE_PREFIX"
e2e_log "template prefix ready: $E2E_TEMPLATE_PREFIX"
