#!/usr/bin/env bash
# Takes the README's pictures of the real Tavlor.exe under Wine on a private
# display: the window (docs/tavlor-window.png), the open context menu
# (docs/tavlor-menu.png), the Map Buttons dialog (docs/tavlor-map-buttons.png)
# and the paused window (docs/tavlor-paused.png), each cropped to what it
# shows. A scripted controller holds Up and Button 1.
set -euo pipefail
if [ -z "${TAVLOR_NO_ASLR:-}" ] && command -v setarch >/dev/null; then
    # Wine's 64-bit loader now and then fails to start under address randomisation.
    TAVLOR_NO_ASLR=1 exec setarch "$(uname -m)" -R bash "$0" "$@"
fi
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/build.sh
work=$(mktemp -d)
export WINEPREFIX=$root/build/wine-screenshots WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="winmm=n,b;mscoree,mshtml=;winemenubuilder.exe=d"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb; rm -rf "$work"' EXIT
until grep -q '[0-9]' "$work/display"; do sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

cp build/windows/Tavlor.exe build/windows/tests/e2e/{winmm.dll,e2e_driver.exe} "$work/"
printf 'device 0 0x10\nhold 0 1 999999 0x1 0\n' >"$work/controller.txt"
wineboot -i >/dev/null 2>&1 || true
# Marlett draws the caption buttons; Debian's Wine does not look for it in fonts-wine's folder.
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg delete 'HKCU\Software\Kelvarin\Tavlor' /f >/dev/null 2>&1 || true
# There is no window manager: Wine draws the dialog's caption and border itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
(cd "$work" && TAVLOR_E2E_SCENARIO="$work/controller.txt" wine Tavlor.exe >/dev/null 2>&1) &

# wait_for WHAT COMMAND...: up to 60 s for COMMAND to succeed.
wait_for() {
    local what=$1 deadline=$((SECONDS + 60))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || { echo "no $what" >&2; exit 1; }
        sleep 0.2
    done
}
# shot FILE X Y W H: that part of the screen, a PNG with no metadata.
shot() { import -display "$DISPLAY" -window root -crop "$4x$5+$2+$3" +repage -strip "$root/docs/$1"; }
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
# rect_of WINDOW: its whole rectangle, frame and caption included, as Windows has it.
rect_of() {
    read -r X Y right bottom < <(cd "$work" && wine e2e_driver.exe "$1" rect | tr -d '\r')
    WIDTH=$((right - X)) HEIGHT=$((bottom - Y))
}
pixel_is() { [[ $(import -display "$DISPLAY" -window root -crop "1x1+$2+$3" -depth 8 txt:- | tail -1) == *"#$1"* ]]; }

wait_for "window" xdotool search --name '^Tavlor$'
window=$(xdotool search --name '^Tavlor$' | head -n 1)
geometry "$window"
xdotool mousemove $((X + 100)) $((Y + 60))
wait_for "active frame" pixel_is 51D758 "$X" "$Y" 
shot tavlor-window.png "$X" "$Y" "$WIDTH" "$HEIGHT"

xdotool click 3
menu_window() { xdotool search --onlyvisible --classname tavlor.exe | grep -vx "$window" | head -n 1 | grep .; }
wait_for "menu" menu_window
geometry "$(menu_window)"
shot tavlor-menu.png "$X" "$Y" "$WIDTH" "$HEIGHT"

xdotool key b
wait_for "Map Buttons" xdotool search --onlyvisible --name '^Map Buttons$'
rect_of "Map Buttons"
shot tavlor-map-buttons.png "$X" "$Y" "$WIDTH" "$HEIGHT"

# Paused (WM_COMMAND 9030): the held inputs lit grey, the title says so.
xdotool key Escape
wait_for "Map Buttons closed" eval '! xdotool search --onlyvisible --name "^Map Buttons$"'
(cd "$work" && wine e2e_driver.exe main post 0x111 9030 0)
wait_for "paused title" xdotool search --name '^Tavlor \(Paused\)$'
geometry "$window"
xdotool mousemove $((X + 100)) $((Y + 60))
wait_for "grey Up arm" eval '! pixel_is B5FFBD $((X + 92)) $((Y + 55))'
shot tavlor-paused.png "$X" "$Y" "$WIDTH" "$HEIGHT"
ls -l docs/*.png
