#!/usr/bin/env bash
# Builds Tavlor.exe and runs it under Wine: on your display when there is one,
# otherwise on a private virtual display, where a screenshot is saved.
set -euo pipefail
# Wine's 64-bit loader can fail to start now and then under address space
# randomisation; run without it.
if [ -z "${TAVLOR_RUN_NO_ASLR:-}" ] && command -v setarch >/dev/null; then
    export TAVLOR_RUN_NO_ASLR=1
    exec setarch "$(uname -m)" -R bash "$0" "$@"
fi
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/build.sh
exe="$root/build/windows/Tavlor.exe"

export WINEPREFIX="${TAVLOR_WINEPREFIX:-$root/build/wine}"
export WINEDEBUG=-all
export WINEARCH=win64
if [ ! -d "$WINEPREFIX" ]; then
    echo "Preparing a Wine prefix in $WINEPREFIX (once)..."
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    wineboot -i >/dev/null 2>&1 || true
    # The window manager of this display manages Tavlor's windows, also in a
    # prefix that a run without a display set up.
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
    echo "Starting Tavlor on $DISPLAY. Right-click the window for the menu; Alt+X exits."
    exec wine "$exe"
fi

# No display: a private Xvfb, a screenshot once the window shows, then an
# orderly close.
display_number=$((90 + RANDOM % 100))
while [ -e "/tmp/.X${display_number}-lock" ]; do
    display_number=$((display_number + 1))
done
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

wineboot -i >/dev/null 2>&1 || true
# No window manager here: Wine manages its windows itself, or hiding one would
# wait 2 s for a reply that never comes. A display with one gets the default.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine "$exe" &
tavlor_pid=$!

window=""
for _ in $(seq 600); do
    window=$(xdotool search --name '^Tavlor$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "Tavlor's window did not appear." >&2
    exit 1
fi
# Give the first paint a moment to reach the screen before capturing it.
for _ in $(seq 20); do
    xdotool getwindowgeometry "$window" >/dev/null 2>&1 && break
    sleep 0.1
done
sleep 1

screenshot="$root/build/tavlor-screenshot.png"
eval "$(xdotool getwindowgeometry --shell "$window")"
margin=10
crop="$((WIDTH + 2 * margin))x$((HEIGHT + 2 * margin))+$((X > margin ? X - margin : 0))+$((Y > margin ? Y - margin : 0))"
import -display "$DISPLAY" -window root -crop "$crop" +repage "$screenshot"
echo "Tavlor ran on a private display ($DISPLAY); screenshot saved to $screenshot"

xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool key --window "$window" alt+x >/dev/null 2>&1 || true
for _ in $(seq 100); do
    kill -0 "$tavlor_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$tavlor_pid" 2>/dev/null; then
    kill "$tavlor_pid" 2>/dev/null || true
fi
wait "$tavlor_pid" 2>/dev/null && echo "Tavlor exited cleanly." || echo "Tavlor exited with code $?."
