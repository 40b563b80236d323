#!/usr/bin/env bash
# Builds the Debian package from the default preset's folder (or the folder given), has Debian's own checker look at
# it, unpacks it into a scratch root and checks what a desktop needs of it: a clean .desktop
# entry that opens the user file's type, that type known by name in any letter case, valid
# AppStream metadata, a manual page that renders cleanly, the icons in the hicolor theme, Qt 6 in
# Depends, and a program that starts.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
build=$(realpath "${1:-$(preset_dir default)}")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-package: FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
debs=("$scratch"/out/kivo32_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no kivo32 package"
deb=${debs[0]}
echo "check-package: built $(basename "$deb")"

# Tags lintian may report that point at nothing wrong with this package:
# initial-upload-closes-no-bugs: Debian's archive wants a first upload to close its "intent to
#   package" bug; this package is not uploaded to Debian.
accepted=initial-upload-closes-no-bugs
status=0
report=$(lintian --display-info --fail-on error,warning --suppress-tags "$accepted" "$deb" 2>&1) ||
    status=$?
grep -v '^running with root privileges' <<<"$report" || true
[ "$status" -eq 0 ] || fail "lintian found errors or warnings"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share

desktop=$share/applications/kivo32.desktop
[ -f "$desktop" ] || fail "no kivo32.desktop in the package"
# desktop-file-validate prints hints and warnings too: any output at all counts as unclean.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
grep -qx 'Exec=kivo32 %f' "$desktop" || fail "the entry does not start kivo32 with a file"
grep -qx 'Icon=kivo32' "$desktop" || fail "the entry does not name the kivo32 icon"
type=application/x-bbbs-userfile
grep -qx "MimeType=$type;" "$desktop" || fail "the entry does not open $type"

# The user file's type, by name only and in any letter case, and the entry that opens it, in a
# desktop that knows this package's data and the system's own.
(
    export XDG_DATA_DIRS=$share:/usr/share XDG_DATA_HOME=$scratch/none
    update-mime-database "$share/mime"
    update-desktop-database "$share/applications"
    # xdg-mime asks the desktop it runs in, if any; without one it reads these folders.
    unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION
    for name in BBBSUSER.DAT bbbsuser.dat BbbsUser.Dat USERS.DAT; do
        head -c 546 /dev/urandom >"$scratch/$name"
        found=$(xdg-mime query filetype "$scratch/$name")
        if [ "$name" = USERS.DAT ]; then
            [ "$found" != "$type" ] || fail "xdg-mime calls any .DAT file $type"
        else
            [ "$found" = "$type" ] || fail "xdg-mime calls $name $found, not $type"
        fi
    done
    found=$(xdg-mime query default "$type")
    [ "$found" = kivo32.desktop ] || fail "$type opens with '$found', not kivo32.desktop"
)
grep -q '<comment>BBBS user file</comment>' "$share/mime/packages/kivo32.xml" ||
    fail "the user file's type is not called \"BBBS user file\""

metainfo=("$share"/metainfo/*.metainfo.xml)
[ -f "${metainfo[0]}" ] || fail "no AppStream metadata"
appstreamcli validate --no-net "${metainfo[0]}" || fail "appstreamcli rejects ${metainfo[0]}"
grep -q '<launchable type="desktop-id">kivo32.desktop</launchable>' "${metainfo[0]}" ||
    fail "the AppStream metadata does not name the desktop entry"

manual=$share/man/man1/kivo32.1.gz
[ -f "$manual" ] || fail "no manual page"
warnings=$(MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"

for size in 16 32 48; do
    icon=$share/icons/hicolor/${size}x${size}/apps/kivo32.png
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    file -b "$icon" | grep -q "PNG image data, $size x $size" || fail "$icon is not a ${size}x${size} PNG"
done
svg=$share/icons/hicolor/scalable/apps/kivo32.svg
[ -f "$svg" ] || fail "no scalable icon"
grep -q '<svg' "$svg" || fail "the scalable icon is not SVG"
[ -s "$share/kivo32/samples/BBBSUSER.DAT" ] || fail "no sample user file"

depends=$(dpkg-deb -f "$deb" Depends)
echo "check-package: Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation2 fonts-freefont-ttf; do
    grep -q "\b$lib\b" <<<"$depends" || fail "Depends does not name $lib"
done

# The unpacked program must start and keep running until it is stopped; a crash or a missing
# library ends it early with another status.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/kivo32" >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the installed viewer did not keep running (exit status $status)"

echo "check-package: OK"
