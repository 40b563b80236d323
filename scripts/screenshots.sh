#!/usr/bin/env bash
# Takes the README's screenshots: the viewer under its own virtual display, each page empty,
# then the sample user file opened through the real dialog and one user selected.
# Usage: scripts/screenshots.sh [build dir]   (needs xvfb, xdotool, imagemagick)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=docs/screenshots
mkdir -p "$out"

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
read -r -u "$fd" display
export DISPLAY=":$display"
env -u QT_QPA_PLATFORMTHEME QT_QPA_PLATFORM=xcb "$build/src/app/kivo32" >/dev/null 2>&1 &
viewer=$!
trap 'kill $viewer $xvfb 2>/dev/null || true' EXIT

window=""
for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name 'KIVO/32' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
eval "$(xdotool getwindowgeometry --shell "$window")"
shot() { sleep 0.4; import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1.png"; }
tab() { xdotool mousemove $((X + 232 + $1)) $((Y + 50)) click 1; }

tab 150; shot statistics-empty
tab 30; shot general-empty
tab 90; shot personal-empty

# Open: the toolbar's first button, then type the sample's full path into Qt's dialog.
xdotool mousemove $((X + 20)) $((Y + 20)) click 1
sleep 1
xdotool type --delay 5 "$PWD/samples/BBBSUSER.DAT"
xdotool key Return
sleep 1
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
# Select the fifth user, then show each page.
xdotool mousemove $((X + 60)) $((Y + 40 + 8 + 3 * 15)) click 1
tab 90; shot personal-user
tab 30; shot general-user
tab 150; shot statistics-user
echo "screenshots in $out"
