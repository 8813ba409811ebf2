# shellcheck shell=bash
# Shared by the end-to-end test scripts: a private X display, a fresh Wine
# prefix, Tavlor.exe with the scripted joystick DLL beside it, and bounded waits.
# Source it, then call e2e_setup NAME first. See tests/e2e/README.md.

E2E_SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

: "${TAVLOR_WINDOWS_BUILD_DIR:?set TAVLOR_WINDOWS_BUILD_DIR to the Windows build directory}"
E2E_HELPER_DIR=${E2E_HELPER_DIR:-$TAVLOR_WINDOWS_BUILD_DIR/tests/e2e}
E2E_TEMPLATE_PREFIX=${E2E_TEMPLATE_PREFIX:-${TMPDIR:-/tmp}/tavlor-e2e-template-prefix}
E2E_OUTPUT_DIR=${E2E_OUTPUT_DIR:-${TMPDIR:-/tmp}/tavlor-e2e-output}
E2E_TEMPLATE_STAMP_NAME=.tavlor-e2e-template

# winmm=n,b: the scripted winmm.dll beside Tavlor.exe wins over Wine's own;
# no Mono, Gecko or menu-builder runs in a test prefix.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winmm=n,b;mscoree,mshtml=;winemenubuilder.exe=d"

e2e_log() {
    echo "[$(date +%H:%M:%S)] $*"
}

e2e_fail() {
    echo "FAIL${E2E_NAME:+ ($E2E_NAME)}: $*" >&2
    exit 1
}

# What the template prefix is made of; a different stamp means it is rebuilt.
e2e_template_stamp() {
    echo "$(wine --version 2>/dev/null) mouse-speed-0 v1"
}

# --- X display ----------------------------------------------------------------

# Starts Xvfb on a display number it picks itself (-displayfd), so parallel
# tests never race for one, and exports DISPLAY.
e2e_start_xvfb() {
    local display_file=$E2E_TMP/xvfb.display
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset \
        3>"$display_file" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local deadline=$((SECONDS + 30))
    until grep -Eq '^[0-9]+$' "$display_file" 2>/dev/null; do
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
        ((SECONDS < deadline)) || e2e_fail "Xvfb did not report a display within 30 s"
        sleep 0.1
    done
    DISPLAY=":$(head -n1 "$display_file")"
    export DISPLAY
}

# --- set-up and clean-up ------------------------------------------------------

# e2e_setup NAME: temp dir, output dir, X display, fresh Wine prefix with the
# program and helpers in C:\tavlor. Everything started here is ended on exit.
e2e_setup() {
    E2E_NAME=$1
    E2E_OUT=$E2E_OUTPUT_DIR/$E2E_NAME
    rm -rf "$E2E_OUT"
    mkdir -p "$E2E_OUT"
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tavlor-e2e-$E2E_NAME.XXXXXX")
    E2E_XVFB_PID=
    E2E_APP_RUNNER=
    trap e2e_cleanup EXIT
    trap 'e2e_log "$E2E_NAME: stopped"; exit 143' TERM
    trap 'exit 130' INT
    # Ends the test well before CTest's own timeout would kill it outright, so
    # the clean-up below still runs and nothing is left behind.
    (
        trap 'kill "$sleeper" 2>/dev/null; exit 0' TERM
        sleep "${E2E_DEADLINE_SECONDS:-240}" &
        sleeper=$!
        wait "$sleeper" && kill -TERM $$
    ) >/dev/null 2>&1 &
    E2E_WATCHDOG_PID=$!

    local file
    for file in "$E2E_HELPER_DIR/winmm.dll" \
        "$E2E_HELPER_DIR/e2e_driver.exe" "$E2E_HELPER_DIR/input_recorder.exe"; do
        [[ -f $file ]] || e2e_fail "$file is missing: build the windows preset first"
    done
    if [[ $(cat "$E2E_TEMPLATE_PREFIX/$E2E_TEMPLATE_STAMP_NAME" 2>/dev/null) != "$(e2e_template_stamp)" ]]; then
        bash "$E2E_SOURCE_DIR/make_template_prefix.sh" || e2e_fail "cannot make the template prefix"
    fi

    e2e_start_xvfb
    export WINEPREFIX=$E2E_TMP/prefix
    cp -a "$E2E_TEMPLATE_PREFIX" "$WINEPREFIX"
    E2E_APP_DIR=$WINEPREFIX/drive_c/tavlor
    mkdir -p "$E2E_APP_DIR"
    cp "$E2E_HELPER_DIR/winmm.dll" "$E2E_HELPER_DIR/e2e_driver.exe" "$E2E_HELPER_DIR/input_recorder.exe" "$E2E_APP_DIR/"
    e2e_log "$E2E_NAME: display $DISPLAY, prefix $WINEPREFIX, output $E2E_OUT"
}

e2e_cleanup() {
    local status=$?
    set +e
    trap - EXIT TERM INT
    if [[ -n ${WINEPREFIX:-} && -d ${WINEPREFIX:-} ]]; then
        timeout 30 wineserver -k >/dev/null 2>&1
        timeout 30 wineserver -w >/dev/null 2>&1
    fi
    if [[ -n ${E2E_APP_RUNNER:-} ]]; then
        wait "$E2E_APP_RUNNER" 2>/dev/null
    fi
    local pid
    for pid in ${E2E_XVFB_PID:-} ${E2E_WATCHDOG_PID:-}; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    [[ -n ${E2E_TMP:-} ]] && rm -rf "$E2E_TMP"
    if ((status == 0)); then
        echo "PASS: $E2E_NAME"
    else
        echo "FAIL: $E2E_NAME (exit $status); logs and screenshots in $E2E_OUT" >&2
    fi
    exit "$status"
}

# --- the program under test ---------------------------------------------------

# e2e_start_app RUN SCENARIO: starts Tavlor.exe in the background with the
# scenario file for its joystick; the stand-in's log is $E2E_JOYLOG
# ($E2E_OUT/RUN.joystick.log). Only one instance runs at a time.
e2e_start_app() {
    local run=$1 scenario=$2
    [[ -f $scenario ]] || e2e_fail "scenario $scenario does not exist"
    local exe=$TAVLOR_WINDOWS_BUILD_DIR/Tavlor.exe
    [[ -f $exe ]] || e2e_fail "$exe is missing: build the windows preset first"
    cp "$exe" "$E2E_APP_DIR/Tavlor.exe"
    cp "$scenario" "$E2E_OUT/$run.scenario"
    E2E_RUN=$run
    E2E_JOYLOG=$E2E_OUT/$run.joystick.log
    E2E_APP_EXIT_FILE=$E2E_TMP/$run.exit
    E2E_GO_FILE=$E2E_TMP/$run.go
    rm -f "$E2E_JOYLOG" "$E2E_APP_EXIT_FILE" "$E2E_GO_FILE"
    : >"$E2E_JOYLOG"
    (
        set +e
        cd "$E2E_APP_DIR" || exit 1
        TAVLOR_E2E_SCENARIO=$E2E_OUT/$run.scenario TAVLOR_E2E_JOYLOG=$E2E_JOYLOG \
            TAVLOR_E2E_GO=$E2E_GO_FILE wine Tavlor.exe >"$E2E_OUT/$run.wine.log" 2>&1
        echo $? >"$E2E_APP_EXIT_FILE.part"
        mv "$E2E_APP_EXIT_FILE.part" "$E2E_APP_EXIT_FILE"
    ) &
    E2E_APP_RUNNER=$!
    e2e_log "$run: Tavlor.exe started"
}

e2e_app_running() {
    [[ -n ${E2E_APP_EXIT_FILE:-} && ! -f $E2E_APP_EXIT_FILE ]]
}

# e2e_wait_app_exit SECONDS: waits for Tavlor.exe to end; sets E2E_APP_EXIT.
e2e_wait_app_exit() {
    local seconds=$1 deadline=$((SECONDS + $1))
    while e2e_app_running; do
        ((SECONDS < deadline)) || e2e_fail "$E2E_RUN: Tavlor.exe still runs after $seconds s"
        sleep 0.1
    done
    wait "$E2E_APP_RUNNER" 2>/dev/null
    E2E_APP_RUNNER=
    E2E_APP_EXIT=$(cat "$E2E_APP_EXIT_FILE")
    E2E_APP_EXIT_FILE=
    e2e_log "$E2E_RUN: Tavlor.exe exited with code $E2E_APP_EXIT"
}

# e2e_expect_exit_code CODE SECONDS
e2e_expect_exit_code() {
    e2e_wait_app_exit "$2"
    [[ $E2E_APP_EXIT == "$1" ]] || e2e_fail "$E2E_RUN: Tavlor.exe exited with code $E2E_APP_EXIT, expected $1"
}

# --- waiting on logs ----------------------------------------------------------

# e2e_wait_line FILE ERE SECONDS WHAT: waits until a line of FILE matches.
# Gives up early when the program has ended or its scenario did not load.
e2e_wait_line() {
    local file=$1 pattern=$2 seconds=$3 what=$4
    local deadline=$((SECONDS + seconds))
    until grep -Eq -- "$pattern" "$file" 2>/dev/null; do
        if [[ -n ${E2E_JOYLOG:-} ]] && grep -q '^scenario-error' "$E2E_JOYLOG"; then
            e2e_fail "the joystick scenario was rejected: $(grep -m1 '^scenario-error' "$E2E_JOYLOG")"
        fi
        if [[ -n ${E2E_APP_EXIT_FILE:-} && -f $E2E_APP_EXIT_FILE ]]; then
            grep -Eq -- "$pattern" "$file" 2>/dev/null && break
            e2e_fail "$E2E_RUN: Tavlor.exe exited (code $(cat "$E2E_APP_EXIT_FILE")) while waiting for $what"
        fi
        ((SECONDS < deadline)) ||
            e2e_fail "no $what within $seconds s (/$pattern/ in $file; its last line: $(tail -n 1 "$file" 2>/dev/null))"
        sleep 0.1
    done
}

# e2e_wait_count FILE ERE COUNT SECONDS WHAT: waits until COUNT lines match.
e2e_wait_count() {
    local file=$1 pattern=$2 count=$3
    e2e_wait_line "$file" "$pattern" "$4" "$5"
    local deadline=$((SECONDS + $4))
    until (($(grep -Ec -- "$pattern" "$file") >= count)); do
        ((SECONDS < deadline)) || e2e_fail "no $5 within $4 s (fewer than $count lines /$pattern/ in $file)"
        sleep 0.1
    done
}

# e2e_wait_poll ID N: waits until the program has polled controller ID N
# times. The bound allows for a machine ten times slower than the 20 ms tick.
e2e_wait_poll() {
    local id=$1 n=$2
    e2e_wait_line "$E2E_JOYLOG" "^poll $id $n " $((60 + n / 5)) "poll $n of controller $id"
}

# e2e_go: starts the clock of a scenario that waits for go (its polls so far
# were all poll 0) and waits until the stand-in has seen it.
e2e_go() {
    : >"$E2E_GO_FILE"
    e2e_wait_line "$E2E_JOYLOG" '^go$' 60 "the go of the scenario"
}

# e2e_last_poll ID: the number of the latest poll of controller ID (0 if none).
e2e_last_poll() {
    awk -v id="$1" '$1 == "poll" && $2 == id { n = $3 } END { print n + 0 }' "$E2E_JOYLOG"
}

# e2e_lines_after FILE ERE [MAX]: the lines of FILE after the first one
# matching ERE (at most MAX of them, 3 by default).
e2e_lines_after() {
    awk -v pattern="$2" -v max="${3:-3}" \
        'found && shown < max { print; shown++ } !found && $0 ~ pattern { found = 1 }' "$1"
}

# --- helpers inside the prefix ------------------------------------------------

# e2e_driver COMMAND...: runs e2e_driver.exe; its output goes to stdout and to
# driver.log. Returns the driver's exit code.
e2e_driver() {
    local output status=0
    output=$(cd "$E2E_APP_DIR" && wine e2e_driver.exe "$@" 2>>"$E2E_OUT/driver.log") || status=$?
    printf '$ e2e_driver %s\n%s\n(exit %d)\n' "$*" "$output" "$status" >>"$E2E_OUT/driver.log"
    printf '%s\n' "$output"
    return "$status"
}

# e2e_tavlor COMMAND...: the same, aimed at Tavlor's main window.
e2e_tavlor() {
    e2e_driver wait-window Tavlor 60 "$@"
}

# e2e_start_recorder: starts input_recorder.exe and waits until its hooks are
# in; events land in $E2E_RECORDER_LOG.
e2e_start_recorder() {
    E2E_RECORDER_LOG=$E2E_OUT/input.log
    : >"$E2E_RECORDER_LOG"
    (cd "$E2E_APP_DIR" && exec wine input_recorder.exe "$E2E_RECORDER_LOG" >"$E2E_OUT/recorder.wine.log" 2>&1) &
    e2e_wait_line "$E2E_RECORDER_LOG" '^(ready|error)' 60 "input recorder start"
    grep -q '^ready' "$E2E_RECORDER_LOG" || e2e_fail "input recorder: $(cat "$E2E_RECORDER_LOG")"
}

# e2e_reg_query KEY [VALUE]: `reg query` inside the prefix; fails if absent.
e2e_reg_query() {
    local key=$1
    shift
    if (($# > 0)); then
        wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r'
    else
        wine reg query "$key" 2>/dev/null | tr -d '\r'
    fi
    return "${PIPESTATUS[0]}"
}

# e2e_screenshot NAME [GEOMETRY]: the screen, or a WxH+X+Y part of it, as a PNG.
e2e_screenshot() {
    local name=$1 geometry=${2:-}
    local args=(-display "$DISPLAY" -window root)
    [[ -n $geometry ]] && args+=(-crop "$geometry" +repage)
    import "${args[@]}" "$E2E_OUT/$name.png" 2>>"$E2E_OUT/screenshot.log" ||
        e2e_log "screenshot $name could not be taken"
}

# e2e_field OUTPUT KEY: the rest of the first line of OUTPUT that starts with KEY.
e2e_field() {
    awk -v key="$2" '$1 == key { $1 = ""; sub(/^ /, ""); print; exit }' <<<"$1"
}

# e2e_wait_rect RECT SECONDS WHAT: waits until Tavlor's window rect is RECT
# ("L T R B"); a posted command moves or resizes it only once handled.
e2e_wait_rect() {
    local expected=$1 seconds=$2 what=$3 info rect
    local deadline=$((SECONDS + seconds))
    while :; do
        info=$(e2e_tavlor info) || e2e_fail "no Tavlor window while waiting for $what: $info"
        rect=$(e2e_field "$info" rect)
        [[ $rect == "$expected" ]] && return 0
        ((SECONDS < deadline)) || e2e_fail "$what: window rect is '$rect', expected '$expected'"
        sleep 0.1
    done
}

# --- Tavlor's settings key ----------------------------------------------------

E2E_SETTINGS_KEY='HKCU\Software\Kelvarin\Tavlor'

# e2e_settings_clear: removes the settings key, so the next start is a first one.
e2e_settings_clear() {
    wine reg delete "$E2E_SETTINGS_KEY" /f >/dev/null 2>&1 || true
    ! e2e_reg_query "$E2E_SETTINGS_KEY" >/dev/null || e2e_fail "cannot remove $E2E_SETTINGS_KEY"
}

# e2e_settings_store NAME TYPE [DATA]: `reg add` of one value under the key
# (REG_DWORD data in hex for negative numbers; REG_BINARY as hex digits, none
# for an empty value).
e2e_settings_store() {
    local args=(reg add "$E2E_SETTINGS_KEY" /v "$1" /t "$2" /f)
    (($# > 2)) && args+=(/d "$3")
    wine "${args[@]}" >/dev/null 2>&1 || e2e_fail "cannot store $1 as $2 '${3-}'"
}

# e2e_settings_expect WHAT TRIGGER SPEED CURVE SIZE X Y: the key holds exactly
# these six REG_DWORD values (numbers as bash reads them; negative ones too).
e2e_settings_expect() {
    local what=$1 names=(Trigger MouseSpeed MouseCurve Size X Y) expected actual i
    shift
    local values=("$@")
    expected=$(for i in "${!names[@]}"; do
        printf '%s REG_DWORD 0x%x\n' "${names[i]}" $((values[i] & 0xFFFFFFFF))
    done | sort)
    actual=$(e2e_reg_query "$E2E_SETTINGS_KEY" | awk '$2 ~ /^REG_/ { print $1, $2, $3 }' | sort) ||
        e2e_fail "$what: no settings key $E2E_SETTINGS_KEY"
    [[ $actual == "$expected" ]] ||
        e2e_fail "$what: the settings key holds" $'\n'"$actual"$'\n'"expected"$'\n'"$expected"
}

# --- the program's input, poll by poll ----------------------------------------

# e2e_record_into FILE: starts an input recorder of its own that appends to
# FILE and waits for its ready line there; E2E_RECORDING_PID is its process.
# With FILE = $E2E_JOYLOG each event the program injects lands after the line
# of the poll whose tick sent it: under Wine, SendInput returns only once the
# recorder's hooks have seen the event.
e2e_record_into() {
    local file=$1
    (cd "$E2E_APP_DIR" && exec wine input_recorder.exe "$file" >>"$E2E_OUT/recorder.wine.log" 2>&1) &
    E2E_RECORDING_PID=$!
    e2e_wait_line "$file" '^(ready|error) ' 60 "input recorder start"
    grep -q '^ready ' "$file" || e2e_fail "input recorder: $(grep -m1 '^error ' "$file")"
}

# e2e_stop_recording: ends the recorder that e2e_record_into started.
e2e_stop_recording() {
    [[ -n ${E2E_RECORDING_PID:-} ]] || return 0
    kill "$E2E_RECORDING_PID" 2>/dev/null || true
    wait "$E2E_RECORDING_PID" 2>/dev/null || true
    E2E_RECORDING_PID=
}

# e2e_mark FILE NAME: appends the line "mark NAME" to a log that the helpers
# append to, e.g. before the script makes something happen.
e2e_mark() {
    echo "mark $2" >>"$1"
}

# e2e_expect_events WHAT EXPECTED ACTUAL: the two event lists are the same;
# both are kept as $E2E_RUN.expected and .actual, and a failure shows the diff.
e2e_expect_events() {
    local what=$1 expected=$2 actual=$3
    printf '%s\n' "$expected" >"$E2E_OUT/$E2E_RUN.expected"
    printf '%s\n' "$actual" >"$E2E_OUT/$E2E_RUN.actual"
    [[ $actual == "$expected" ]] ||
        e2e_fail "$what: injected events differ (poll, event; - expected, + injected):"$'\n'"$(
            diff -u "$E2E_OUT/$E2E_RUN.expected" "$E2E_OUT/$E2E_RUN.actual" | tail -n +3 | head -n 40)"
}

# e2e_injected_events FILE ID: the events the program injected in FILE (the
# driver's own, tagged extra=0x7a5e, are left out), one a line, each
# after the number of the last "poll ID N" line before it ("-" before any),
# and the "mark NAME" lines where they are. Events read "key down 0x08"
# (keydown and syskeydown alike; " scan=0x.." and " extended" only when set),
# "mouse lbuttonup", "mouse move DX DY", "mouse wheel DELTA".
e2e_injected_events() {
    awk -v id="$2" '
        function field(name,    i) {
            for (i = 3; i <= NF; i++)
                if (index($i, name "=") == 1)
                    return substr($i, length(name) + 2)
            return ""
        }
        BEGIN { label = "-" }
        $1 == "poll" && $2 == id { label = $3; next }
        $1 == "mark" { print; next }
        $NF != "injected=1" || $(NF - 1) == "extra=0x7a5e" { next }
        $1 == "key" {
            event = ($2 ~ /down$/ ? "down" : "up") " " field("vk")
            if (field("scan") != "0x00") event = event " scan=" field("scan")
            flags = field("flags")
            if (index("13579bdf", substr(flags, length(flags), 1)) > 0) event = event " extended"
            print label, "key", event
            next
        }
        $1 == "mouse" && $2 == "move" { print label, "mouse move", field("dx"), field("dy"); next }
        $1 == "mouse" && $2 == "wheel" { print label, "mouse wheel", field("delta"); next }
        $1 == "mouse" { print label, "mouse", $2 }
    ' "$1"
}
