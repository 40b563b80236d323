#!/usr/bin/env bash
# Checks the Windows packages built in the windows preset's folder (or the folder given) as a
# user gets them:
#  1. the zip, unpacked on its own: every DLL a binary in it imports is in it or is part of
#     Windows, and every DLL in it is imported by something (plugins are loaded by Qt);
#  2. kivo32.exe started from there under Wine, on a virtual display, with only that folder to
#     load from: its window opens on the windows platform (a missing DLL shows as a loader error),
#     it lists the sample named on its command line, and it ends cleanly when its window closes;
#  3. the installer, run silently: the files, the Start menu entry, the "Open with" entry for
#     .DAT files, and an uninstaller that takes them all away again.
# Steps that need what the Linux build in build/ (or the second folder given) offers are
# skipped, with a message, when it does not offer it yet.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
build=$(realpath "${1:-$(preset_dir windows)}")
linux=$(realpath "${2:-$(preset_dir default)}")
source=$PWD

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "check-windows-package: FAILED: $*" >&2; exit 1; }
say() { echo "check-windows-package: $*"; }

wine_env "${WINEPREFIX:-$build/wine}" # the program must find every DLL in its own folder
zips=("$build"/kivo32-*-windows-x86_64.zip)
setups=("$build"/kivo32-*-windows-x86_64-setup.exe)
[ -f "${zips[0]}" ] || fail "no zip in $build (cpack -G ZIP)"
[ -f "${setups[0]}" ] || fail "no installer in $build (cpack -G NSIS)"

# Wine keeps the display it started with for as long as any of its programs runs: wait for
# earlier ones to end, then give every program here the virtual display.
wineserver -w
start_display
pids+=("$display_pid")
wine wineboot --init >/dev/null 2>&1

# 1. What the zip holds.
unzip -q "${zips[0]}" -d "$scratch/zip"
app=$(find "$scratch/zip" -name kivo32.exe -printf '%h\n')
[ -n "$app" ] || fail "no kivo32.exe in $(basename "${zips[0]}")"
[ -f "$app/fonts/FreeSans.ttf" ] || fail "no fonts/FreeSans.ttf beside kivo32.exe: control symbols"
say "$(basename "${zips[0]}") ($(du -k "${zips[0]}" | cut -f1) kB) holds: $(cd "$app" && find . -name '*.dll' | sort | tr '\n' ' ')"
system32=$WINEPREFIX/drive_c/windows/system32
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }
# Part of Windows: a DLL in its system folder, or an API set (api-ms-win-*), which the loader
# resolves itself.
in_windows() { [ -f "$system32/${1,,}" ] || [[ ${1,,} == api-ms-win-* ]]; }
declare -A imported=()
while read -r binary; do
    x86_64-w64-mingw32-objdump -h "$binary" | grep -q '\.debug' && fail "$binary is not stripped"
    for dll in $(imports "$binary"); do
        imported[${dll,,}]=1
        [ -f "$app/$dll" ] || in_windows "$dll" ||
            fail "$(basename "$binary") needs $dll, which is neither in the zip nor part of Windows"
    done
done < <(find "$app" -name '*.exe' -o -name '*.dll')
for dll in "$app"/*.dll; do
    name=$(basename "$dll")
    [ -n "${imported[${name,,}]:-}" ] || fail "$name is in the zip but nothing loads it"
done

# 2. The program from the unpacked zip.
log=$scratch/kivo32.log
(cd "$app" && WINEDEBUG=-all,err+module exec wine kivo32.exe 'samples\BBBSUSER.DAT' >"$log" 2>&1) &
viewer=$!
pids+=("$viewer")
window=""
for _ in $(seq 120); do
    window=$(xdotool search --onlyvisible --name '^KIVO/32' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$viewer" 2>/dev/null || break
    sleep 0.5
done
if [ -z "$window" ]; then
    grep -E 'err:module|could not|Qt' "$log" >&2 || true
    fail "kivo32.exe opened no window (loader errors above, if any)"
fi
# Only the windows platform plugin is in the zip, and only it makes an X window through Wine.
say "kivo32.exe runs on the windows platform: window \"$(xdotool getwindowname "$window")\""

# The last user of the sample, as the Personal page shows it: the whole file was listed.
lists_from_command_line() {
    local linux_viewer=$linux/src/app/kivo32
    [ -x "$linux_viewer" ] && QT_QPA_PLATFORM=offscreen timeout 5 "$linux_viewer" --version >/dev/null 2>&1
}
if lists_from_command_line; then
    eval "$(xdotool getwindowgeometry --shell "$window")"
    sleep 1
    for _ in 1 2; do # the first user, which focuses the list (a first click may only activate)
        xdotool mousemove $((X + 60)) $((Y + 48)) click 1
        sleep 0.5
    done
    xdotool key End
    xdotool mousemove $((X + 322)) $((Y + 50)) click 1 # the Personal page
    xdotool mousemove $((X + 300)) $((Y + 97)) click 1 # its Name box
    xdotool key ctrl+a ctrl+c
    sleep 0.5
    shown=$(xclip -o -selection clipboard 2>/dev/null || true)
    expected=$(python3 - "$source/samples/BBBSUSER.DAT" <<'EOF'
import sys
data = open(sys.argv[1], "rb").read()
last = (len(data) // 273 - 1) * 273  # records of 273 bytes; the name is the first 30
print(data[last:last + 30].split(b"\0")[0].decode("cp1252"))
EOF
)
    [ "$shown" = "$expected" ] || fail "the last user shows as \"$shown\", not \"$expected\""
    say "kivo32.exe lists the sample from its command line: the last user is \"$shown\""
else
    say "SKIPPED the listing check: this build does not open a file named on its command line"
fi

xdotool key --window "$window" alt+F4
status=0
for _ in $(seq 40); do
    kill -0 "$viewer" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$viewer" 2>/dev/null && fail "kivo32.exe did not end when its window was closed"
wait "$viewer" || status=$?
[ "$status" -eq 0 ] || fail "kivo32.exe ended with status $status when its window was closed"
say "kivo32.exe ended cleanly when its window was closed"

# Export of the sample: the same bytes as the Linux build's.
compare_export_with_linux() {
    local linux_viewer=$linux/src/app/kivo32
    if ! [ -x "$linux_viewer" ] || ! QT_QPA_PLATFORM=offscreen timeout 10 "$linux_viewer" \
        --export csv samples/BBBSUSER.DAT >"$scratch/linux.csv" 2>/dev/null; then
        say "SKIPPED the export check: this build does not export"
        return
    fi
    (cd "$app" && timeout 60 wine kivo32.exe --export csv --output 'export.csv' 'samples\BBBSUSER.DAT') ||
        fail "kivo32.exe --export csv failed"
    cmp "$scratch/linux.csv" "$app/export.csv" || fail "the Windows export differs from the Linux one"
    say "kivo32.exe --export csv gives the same bytes as the Linux build"
}
compare_export_with_linux

# 3. The installer, silently, into this Wine prefix; then its uninstaller.
say "$(basename "${setups[0]}") ($(du -k "${setups[0]}" | cut -f1) kB)"
wine "${setups[0]}" /S
installed=$WINEPREFIX/drive_c/Program\ Files/KIVO32
for file in kivo32.exe Qt6Core.dll platforms/qwindows.dll samples/BBBSUSER.DAT Uninstall.exe; do
    [ -f "$installed/$file" ] || fail "the installer did not install $file"
done
find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'KIVO32.lnk' | grep -q . ||
    fail "the installer made no Start menu entry"
wine reg query 'HKLM\Software\Classes\.dat\OpenWithProgids' 2>/dev/null | grep -q KIVO32.UserFile ||
    fail "the installer did not offer KIVO/32 for .DAT files"
wine "$installed/Uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] || fail "the uninstaller left $(find "$installed" | head -n 3)"
find "$WINEPREFIX/drive_c" -name 'KIVO32.lnk' | grep -q . && fail "the uninstaller left the Start menu entry"
! wine reg query 'HKLM\Software\Classes\KIVO32.UserFile' >/dev/null 2>&1 ||
    fail "the uninstaller left the file type"
say "the installer installs, adds the Start menu and \"Open with\" entries, and uninstalls"
say "OK"
