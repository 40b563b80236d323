#!/usr/bin/env bash
# Takes the screenshot of the Windows program under Wine: the zip built with the windows preset (or
# the folder given), unpacked and started on a virtual display, the sample opened through the
# real dialog, one user shown on the Personal page.
#   scripts/screenshot-windows.sh [build folder]      (needs xvfb, xdotool, imagemagick, wine)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
build=$(realpath "${1:-$(preset_dir windows)}")
out=docs/screenshots/windows-personal-user.png

scratch=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
unzip -q "$build"/kivo32-*-windows-x86_64.zip -d "$scratch"
app=$(find "$scratch" -name kivo32.exe -printf '%h\n')

wine_env "${WINEPREFIX:-$build/wine}"
wineserver -w # a Wine session keeps the display it started with
start_display
pids+=("$display_pid")
(cd "$app" && exec wine kivo32.exe >/dev/null 2>&1) &
pids+=($!)

# Prints the window of that title once it is shown; nothing if it is not within a minute.
shown() {
    for _ in $(seq 120); do
        xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 && return
        sleep 0.5
    done
}
window=$(shown '^KIVO/32')
eval "$(xdotool getwindowgeometry --shell "$window")"

# Open: the toolbar's first button, then the sample's full Windows path typed into the dialog.
sample=$(winepath -w "$app/samples/BBBSUSER.DAT")
xdotool mousemove $((X + 20)) $((Y + 20)) click 1
dialog=$(shown '^Open$')
sleep 1
xdotool windowfocus --sync "$dialog"
xdotool type --delay 5 "$sample"
xdotool key Return
for _ in $(seq 60); do
    xdotool search --onlyvisible --name '^Open$' >/dev/null 2>&1 || break
    sleep 0.5
done
sleep 1
# The fourth user, on the Personal page. A click may go to making the window active again
# after the dialog, so each is given twice.
for _ in 1 2; do
    xdotool mousemove $((X + 60)) $((Y + 40 + 8 + 3 * 15)) click 1
    sleep 0.5
done
for _ in 1 2; do
    xdotool mousemove $((X + 322)) $((Y + 50)) click 1
    sleep 0.5
done
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
xdotool key --window "$window" alt+F4
echo "screenshot in $out"
