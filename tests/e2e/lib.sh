# shellcheck shell=bash
# Shared by the e2e scripts: a private Xvfb, a fresh copy of the template Wine
# prefix, Tavlor.exe with the scripted winmm.dll beside it, bounded waits and
# a clean-up that leaves nothing running. See README.md.
set -euo pipefail
E2E_SRC=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_BUILD=${TAVLOR_WINDOWS_BUILD_DIR:?set TAVLOR_WINDOWS_BUILD_DIR to the Windows build directory}
E2E_WORK=${E2E_WORK_DIR:-${TMPDIR:-/tmp}/tavlor-e2e}
E2E_TEMPLATE=$E2E_WORK/template-prefix
E2E_KEY='HKCU\Software\Kelvarin\Tavlor'
export WINEDEBUG=-all WINEDLLOVERRIDES="winmm=n,b;mscoree,mshtml=;winemenubuilder.exe=d"

e2e_fail() {
    echo "FAIL (${E2E_NAME:-e2e}): $*" >&2
    exit 1
}

# e2e_wait SECONDS WHAT COMMAND...: runs COMMAND until it succeeds.
e2e_wait() {
    local deadline=$((SECONDS + $1)) what=$2
    shift 2
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || e2e_fail "no $what within the time allowed"
        sleep 0.2
    done
}

e2e_start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$E2E_TMP/display" 2>/dev/null &
    E2E_XVFB=$!
    e2e_wait 30 "Xvfb display" grep -q '[0-9]' "$E2E_TMP/display"
    export DISPLAY=":$(cat "$E2E_TMP/display")"
}

e2e_cleanup() {
    local status=$?
    set +e
    [[ -d ${WINEPREFIX:-/none} ]] && timeout 30 wineserver -k && timeout 30 wineserver -w
    [[ -n ${E2E_XVFB:-} ]] && kill "$E2E_XVFB" && wait "$E2E_XVFB"
    rm -rf "$E2E_TMP"
    ((status == 0)) && echo "PASS: ${E2E_NAME:-}" || echo "logs in ${E2E_OUT:-$E2E_WORK}" >&2
    exit "$status"
}

# The prefix every test copies: wineboot once, pointer acceleration off, and
# Wine managing its windows itself: without a window manager, hiding the
# window in front otherwise blocks for 2 s waiting for the manager's reply.
e2e_make_template() {
    mkdir -p "$E2E_WORK"
    exec 9>"$E2E_WORK/template.lock"
    flock 9
    local stamp="$(wine --version) v4"
    [[ $(cat "$E2E_TEMPLATE/stamp" 2>/dev/null) == "$stamp" ]] && return 0
    E2E_TMP=$(mktemp -d "$E2E_WORK/template.XXXXXX")
    export WINEPREFIX=$E2E_TMP/prefix
    trap e2e_cleanup EXIT
    e2e_start_xvfb
    wineboot -i >/dev/null 2>&1 || e2e_fail "wineboot failed"
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" # caption buttons
    for value in MouseSpeed MouseThreshold1 MouseThreshold2; do
        wine reg add 'HKCU\Control Panel\Mouse' /v $value /d 0 /f >/dev/null 2>&1
    done
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    timeout 60 wineserver -w
    echo "$stamp" >"$WINEPREFIX/stamp"
    rm -rf "$E2E_TEMPLATE" && mv "$WINEPREFIX" "$E2E_TEMPLATE"
}

# e2e_setup NAME: output folder, X display and Wine prefix of this test.
e2e_setup() {
    E2E_NAME=$1 E2E_OUT=$E2E_WORK/output/$1 E2E_RUNS=0
    rm -rf "$E2E_OUT" && mkdir -p "$E2E_OUT"
    [[ -f $E2E_TEMPLATE/stamp ]] || e2e_make_template
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tavlor-e2e-$1.XXXXXX")
    trap e2e_cleanup EXIT
    trap 'exit 143' TERM
    e2e_start_xvfb
    export WINEPREFIX=$E2E_TMP/prefix
    cp -a "$E2E_TEMPLATE" "$WINEPREFIX"
    E2E_APP=$WINEPREFIX/drive_c/tavlor
    mkdir -p "$E2E_APP"
    cp "$E2E_BUILD/Tavlor.exe" "$E2E_BUILD"/tests/e2e/{winmm.dll,e2e_driver.exe,input_recorder.exe} "$E2E_APP/"
}

# e2e_start SCENARIO [ARGUMENTS...]: starts Tavlor.exe; its joystick log is
# $E2E_LOG. Waits for its window, or for the command $E2E_STARTED where set.
e2e_start() {
    E2E_RUNS=$((E2E_RUNS + 1)) E2E_GOS=0
    E2E_LOG=$E2E_OUT/run$E2E_RUNS.log E2E_EXIT=$E2E_TMP/exit$E2E_RUNS E2E_GO=$E2E_TMP/go$E2E_RUNS
    (cd "$E2E_APP" && TAVLOR_E2E_SCENARIO=$E2E_SRC/scenarios/$1 TAVLOR_E2E_JOYLOG=$E2E_LOG \
        TAVLOR_E2E_GO=$E2E_GO wine Tavlor.exe "${@:2}" >/dev/null 2>&1; echo $? >"$E2E_EXIT.part"
        mv "$E2E_EXIT.part" "$E2E_EXIT") &
    # shellcheck disable=SC2086 # E2E_STARTED is a command and its words
    e2e_wait 60 "Tavlor (${E2E_STARTED:-window})" ${E2E_STARTED:-e2e_driver main rect}
    grep -q scenario-error "$E2E_LOG" && e2e_fail "$(grep scenario-error "$E2E_LOG")"
    return 0
}

e2e_driver() { (cd "$E2E_APP" && wine e2e_driver.exe "$@" 2>/dev/null | tr -d "\r"; exit "${PIPESTATUS[0]}"); }
# e2e_map_buttons opens Map Buttons (WM_COMMAND 9025) and waits for it;
# e2e_gone DIALOG waits until that dialog has closed.
e2e_map_buttons() { e2e_driver main post 0x111 9025 0; e2e_wait 60 "Map Buttons" e2e_driver "Map Buttons" rect; }
e2e_gone() { e2e_wait 60 "$1 closed" eval "! e2e_driver '$1' rect"; }

# e2e_expect_exit CODE: Tavlor.exe ends, with that exit code; e2e_close
# closes it (WM_CLOSE) and expects 0.
e2e_expect_exit() {
    e2e_wait 60 "exit of Tavlor.exe" test -f "$E2E_EXIT"
    [[ $(cat "$E2E_EXIT") == "$1" ]] || e2e_fail "exit code $(cat "$E2E_EXIT"), expected $1"
}
e2e_close() { e2e_driver main post 0x10 0 0 && e2e_expect_exit 0; }

# e2e_record: the input recorder appends to $E2E_LOG, so that each event the
# program injects lands after the poll whose tick sent it. Under heavy load a
# Wine process now and then never gets going; the recorder is started afresh
# then (what Wine said is kept in recorder.out).
e2e_record() {
    for _ in 1 2 3; do
        (cd "$E2E_APP" && WINEDEBUG=err+all exec wine input_recorder.exe "$E2E_LOG" \
            >>"$E2E_OUT/recorder.out" 2>&1) &
        (e2e_wait 30 "input recorder" grep -q '^recorder ready' "$E2E_LOG") 2>/dev/null && return 0
        kill -9 $! 2>/dev/null
    done
    e2e_fail "no input recorder after three starts"
}

# e2e_go: the scenario's polls count, from the start or on from a stop;
# e2e_wait_poll ID N and e2e_wait_stop ID N wait for poll N of ID, or for the
# scenario's "stop ID N"; e2e_at_stop ID N COMMAND... runs COMMAND there, then
# lets the polls go on.
e2e_seen() { (($(grep -c -- "$1" "$E2E_LOG") >= $2)); }
e2e_go() { touch "$E2E_GO" && e2e_wait 60 "go" e2e_seen '^go$' $((++E2E_GOS)); }
e2e_wait_poll() { e2e_wait $((60 + $2 / 5)) "poll $2 of $1" grep -q "^poll $1 $2 " "$E2E_LOG"; }
e2e_wait_stop() { e2e_wait $((60 + $2 / 5)) "stop at poll $2 of $1" grep -q "^stop $1 $2\$" "$E2E_LOG"; }
e2e_at_stop() { e2e_wait_stop "$1" "$2"; "${@:3}" || e2e_fail "at stop $2 of $1: ${*:3}"; e2e_go; }
e2e_mark() { echo "mark $1" >>"$E2E_LOG"; }

# e2e_events: the injected events, each after the number of the poll before
# it, or after a mark the mark's NAME ("mark NAME" lines as they are). A
# pointer move reads as the distance from the one before; times are left out.
e2e_events() {
    awk '{ sub(/ t=[0-9]+$/, "") } $1 == "poll" && !mark { p = $3 } $1 == "mark" { print; p = $2; mark = 1 }
        $2 == "move" { print p, "mouse move", (x == "" ? "start" : $3 - x " " $4 - y); x = $3; y = $4; next }
        $1 == "key" || $1 == "mouse" { print p, $0 }' "$E2E_LOG"
}

# e2e_expect WHAT EXPECTED ACTUAL
e2e_expect() {
    [[ $3 == "$2" ]] || e2e_fail "$1:"$'\n'"$(diff <(echo "$2") <(echo "$3") | head -40)"
}

# e2e_expectations SCENARIO: its "#> " lines.
e2e_expectations() { sed -n 's/^#> //p' "$E2E_SRC/scenarios/$1"; }

# e2e_settings: the values under Tavlor's key and its subkeys on one line,
# sorted: NAME=DATA for a REG_DWORD, NAME:TYPE=DATA for the others, and
# SUBKEY\NAME for a subkey's.
e2e_settings() {
    wine reg query "$E2E_KEY" /s 2>/dev/null | tr -d '\r' | awk '/^HKEY/ { key = $0; sub(/.*\\Tavlor\\?/, "", key) }
        $2 ~ /^REG_/ { print (key ? key "\\" : "") $1 ($2 == "REG_DWORD" ? "" : ":" $2) "=" $3 }' | LC_ALL=C sort | paste -sd' '
}
e2e_store() { wine reg add "$E2E_KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }

# e2e_pixels X,Y...: the screen's colours there, "RRGGBB" each (also kept in
# pixels.log, beside the screenshot).
e2e_pixels() {
    local shot=$E2E_OUT/screen$(cat "$E2E_OUT/pixels.log" 2>/dev/null | wc -l).png
    import -display "$DISPLAY" -window root "$shot"
    convert "$shot" -format "$(printf '%%[hex:p{%s}] ' "$@")" info: | tee -a "$E2E_OUT/pixels.log"
    echo "  ($shot)" >>"$E2E_OUT/pixels.log"
}

# e2e_pixels_are "RRGGBB..." X,Y...
e2e_pixels_are() { [[ $(e2e_pixels "${@:2}") == "$1 " ]]; }

# Without a window manager Wine's notification area is a window of its own,
# on the screen only while it holds an icon. Tavlor's icon sits in its bottom
# left corner, below the caption Wine draws: click_icon BUTTON clicks it.
tray() { xdotool search --onlyvisible --name '^Wine System Tray$' "$@"; }
click_icon() { eval "$(tray getwindowgeometry --shell %1)"; xdotool mousemove $((X + 12)) $((Y + HEIGHT - 13)) click "$1"; }
