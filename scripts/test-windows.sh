#!/usr/bin/env bash
# The Windows build and its tests: Qt for Windows (scripts/build-qt-windows.sh: unpacked from the
# shared cache or built, and kept), the cross build in the "windows" preset's folder,
# every test under Wine, the zip and the installer, and their check
# (scripts/check-windows-package.sh). Prints how long each step took.
#   scripts/test-windows.sh [Linux build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
linux=${1:-$(preset_dir default)}
build=$(preset_dir windows)

times=()
last=$SECONDS
timed() {
    times+=("$(printf '%-34s %4d s' "$1" $((SECONDS - last)))")
    last=$SECONDS
}

KIVO_QT_WINDOWS=$(scripts/build-qt-windows.sh)
export KIVO_QT_WINDOWS
timed "Qt for Windows"

cmake --preset windows >/dev/null
cmake --build --preset windows --parallel "$(nproc)"
timed "cross build"

# The tests start in parallel: make the build's Wine prefix once, before them.
wine_env "$PWD/$build/wine"
wine wineboot --init >/dev/null 2>&1
wineserver -w
timed "Wine prefix"
ctest --preset windows --parallel "$(nproc)"
timed "tests under Wine"

(cd "$build" && cpack >/dev/null)
timed "zip and installer"
scripts/check-windows-package.sh "$build" "$linux"
timed "package check"

echo "test-windows: times"
printf '  %s\n' "${times[@]}"
