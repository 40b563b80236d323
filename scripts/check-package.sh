#!/usr/bin/env bash
# Builds the Debian package from build/ (or the folder given), unpacks it into a scratch root
# and checks what a desktop needs of it: a clean .desktop entry, the icons in the hicolor
# theme, Qt 6 in Depends, and a program that starts.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-package: FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
debs=("$scratch"/out/kivo32_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no kivo32 package"
deb=${debs[0]}
echo "check-package: built $(basename "$deb")"

root=$scratch/root
dpkg-deb -x "$deb" "$root"

desktop=$root/usr/share/applications/kivo32.desktop
[ -f "$desktop" ] || fail "no kivo32.desktop in the package"
# desktop-file-validate prints hints and warnings too: any output at all counts as unclean.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
grep -qx 'Exec=kivo32' "$desktop" || fail "the entry does not start kivo32"
grep -qx 'Icon=kivo32' "$desktop" || fail "the entry does not name the kivo32 icon"

for size in 16 32 48; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/kivo32.png
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    file -b "$icon" | grep -q "PNG image data, $size x $size" || fail "$icon is not a ${size}x${size} PNG"
done
svg=$root/usr/share/icons/hicolor/scalable/apps/kivo32.svg
[ -f "$svg" ] || fail "no scalable icon"
grep -q '<svg' "$svg" || fail "the scalable icon is not SVG"
[ -s "$root/usr/share/kivo32/samples/BBBSUSER.DAT" ] || fail "no sample user file"

depends=$(dpkg-deb -f "$deb" Depends)
echo "check-package: Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation2; do
    grep -q "\b$lib\b" <<<"$depends" || fail "Depends does not name $lib"
done

# The unpacked program must start and keep running until it is stopped; a crash or a missing
# library ends it early with another status.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/kivo32" >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the installed viewer did not keep running (exit status $status)"

echo "check-package: OK"
