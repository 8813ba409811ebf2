# shellcheck shell=bash
# Shared by the tests of the two modal dialogs (map_buttons_test.sh,
# about_dialog_test.sh); sourced after lib.sh and e2e_setup.
#
# Controller presses come from the scenario that dialogs_presses_scenario
# writes: one button goes down on polls 20k+1 and up on 20k+11, over and over,
# so counted ticks (`e2e_driver ticks N`) make sure presses fall where a check
# looks. The input recorder sees what Tavlor sends. A mark shows how far it
# has got: the driver moves the pointer 2 pixels sideways (Tavlor moves it
# only when the stick is off centre, never here) and waits for the recorder
# to log that move, known by the driver's tag (extra=0x7a5e), not by its
# distance: on a busy machine Wine may report the pointer as moved already
# when the hook runs. A key might change the selection of a list it reached.
#
# A key that Tavlor sends just before a dialog opens may still reach the
# dialog, so the pressed buttons type keys that change nothing there: Enter
# in Map Buttons (the dialog manager takes it, and there is no default
# button), Space in About (its focus is on the icon). Space in a list of Map
# Buttons would move its selection (see README.md, Wine behaviour).

# More than two press-and-release cycles.
readonly DIALOGS_CYCLE_TICKS=45
readonly DIALOGS_MARK_PATTERN='^mouse move .* extra=0x7a5e injected='

# dialogs_presses_scenario FILE HELD PRESSED: controller 0 (with a hat)
# holding the buttons of mask HELD from the first poll on, and those of mask
# PRESSED for 10 of every 20 polls.
dialogs_presses_scenario() {
    awk -v held=$(($2)) -v pressed=$(($2 | $3)) 'BEGIN {
        print "device 0"
        printf "hold 0 default buttons=0x%x\n", held
        for (k = 0; k < 1000; k++)
            printf "hold 0 %d-%d buttons=0x%x\n", 20 * k + 1, 20 * k + 10, pressed
    }' >"$1"
}

# dialogs_mark [DRIVER-COMMAND...]: runs the driver commands, then the mark's
# pointer move, and waits until the recorder has logged it; DIALOGS_MARK is
# then the input log's line count. Events reach the recorder in the order
# they were sent, so whatever Tavlor sent before lies above that line.
dialogs_mark() {
    local before out step=2
    before=$(grep -Ec -- "$DIALOGS_MARK_PATTERN" "$E2E_RECORDER_LOG" || true)
    ((before % 2 == 0)) || step=-2
    out=$(e2e_driver "$@" move-by $step 0) || e2e_fail "$E2E_RUN: driver failed ($*, then the mark): $out"
    e2e_wait_count "$E2E_RECORDER_LOG" "$DIALOGS_MARK_PATTERN" $((before + 1)) 30 "the mark in the input log"
    DIALOGS_MARK=$(wc -l <"$E2E_RECORDER_LOG")
}

# dialogs_sent FROM TO: the key and mouse-button events on lines FROM+1 to
# TO of the input log.
dialogs_sent() {
    awk -v from="$1" -v to="$2" 'NR > from && NR <= to &&
        ($1 == "key" || ($1 == "mouse" && $2 ~ /button/))' "$E2E_RECORDER_LOG"
}

# dialogs_open COMMAND TITLE: posts the menu command to Tavlor's window,
# waits until the dialog is up (shown, centred, in its modal loop) and sets
# DIALOGS_MARK as dialogs_mark does.
dialogs_open() {
    dialogs_mark wait-window Tavlor 60 post WM_COMMAND "$1" 0 wait-dialog "$2" 60
}

# dialogs_open_releasing COMMAND TITLE: with Button 1 held since the start
# (Backspace in controller 1's built-in table), opens the dialog and expects
# Backspace to go up then, and not before.
dialogs_open_releasing() {
    local before sent
    e2e_wait_line "$E2E_RECORDER_LOG" '^key keydown vk=0x08 ' 60 "Backspace from the held Button 1"
    dialogs_mark
    before=$DIALOGS_MARK
    ! grep -Eq '^key keyup vk=0x08 ' "$E2E_RECORDER_LOG" ||
        e2e_fail "$E2E_RUN: Backspace went up before the dialog opened, though Button 1 is held"
    dialogs_open "$1" "$2"
    sent=$(dialogs_sent "$before" "$DIALOGS_MARK")
    grep -Eq '^key keyup vk=0x08 ' <<<"$sent" ||
        e2e_fail "$E2E_RUN: opening the dialog '$2' did not release the held Backspace; sent: $sent"
}

# dialogs_expect_centred TITLE: the dialog's centre is the main window's,
# within the pixel that halving an odd difference loses. Sets
# DIALOGS_GEOMETRY to the dialog's client area: without a window manager
# that is all Xvfb shows of it.
dialogs_expect_centred() {
    local out main dialog
    out=$(e2e_tavlor info wait-dialog "$1" 30 info) || e2e_fail "cannot read the window rects: $out"
    main=$(sed '/^dialog /q' <<<"$out")
    dialog=$(sed '1,/^dialog /d' <<<"$out")
    local -a m d size origin
    read -r -a m <<<"$(e2e_field "$main" rect)"
    read -r -a d <<<"$(e2e_field "$dialog" rect)"
    local dx=$(((d[0] + d[2]) - (m[0] + m[2]))) dy=$(((d[1] + d[3]) - (m[1] + m[3])))
    ((dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1)) ||
        e2e_fail "$E2E_RUN: the dialog '$1' (${d[*]}) is not centred over the window (${m[*]})"
    read -r -a size <<<"$(e2e_field "$dialog" client)"
    read -r -a origin <<<"$(e2e_field "$dialog" client-origin)"
    # shellcheck disable=SC2034 # for the test scripts' screenshots
    DIALOGS_GEOMETRY="${size[0]}x${size[1]}+${origin[0]}+${origin[1]}"
}

# dialogs_expect_quiet FROM WHAT: FROM is a mark set while the dialog was
# open; from there on, through a stretch of ticks with presses in it, nothing
# sends a key or a mouse button.
dialogs_expect_quiet() {
    local sent
    dialogs_mark wait-window Tavlor 60 ticks $((DIALOGS_CYCLE_TICKS + 15))
    sent=$(dialogs_sent "$1" "$DIALOGS_MARK")
    [[ -z $sent ]] || e2e_fail "$E2E_RUN: $2: button presses reached the input: $sent"
}

# dialogs_expect_typing FROM VK WHAT [DRIVER-COMMAND...]: runs the driver
# commands (e.g. those that close the dialog), then some more ticks; the
# pressed button has then typed VK since line FROM of the input log.
# DIALOGS_SENT: all sent.
dialogs_expect_typing() {
    local from=$1 vk=$2 what=$3
    shift 3
    dialogs_mark "$@" wait-window Tavlor 60 ticks $DIALOGS_CYCLE_TICKS
    DIALOGS_SENT=$(dialogs_sent "$from" "$DIALOGS_MARK")
    grep -Eq "^key keydown vk=$vk " <<<"$DIALOGS_SENT" ||
        e2e_fail "$E2E_RUN: $what: the pressed button did not type key $vk; sent: $DIALOGS_SENT"
}

dialogs_close_app() {
    e2e_tavlor post WM_CLOSE 0 0 >/dev/null || e2e_fail "$E2E_RUN: cannot post WM_CLOSE"
    e2e_expect_exit_code 0 60
}
