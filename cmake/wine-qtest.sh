#!/usr/bin/env bash
# Runs one QtTest program of the Windows build under Wine, for CTest (cmake/WindowsRuntime.cmake):
#   wine-qtest.sh WINEPREFIX DLL_FOLDER... -- PROGRAM [ARGUMENTS]
# Wine passes no QT_* variable on to Windows programs unless it is spelled WINEQT_*, and a test
# program's console output does not reach this side: its results go to a file, shown afterwards.
set -uo pipefail
source "$(dirname "$0")/../scripts/common.sh"
wine_env "$1"
shift
folders=()
while [ "$1" != -- ]; do
    folders+=("Z:${1//\//\\}")
    shift
done
shift
program=$1
shift

WINEPATH=$(IFS=';' && echo "${folders[*]}")
export WINEPATH
if [ -n "${QT_QPA_PLATFORM:-}" ]; then
    export WINEQT_QPA_PLATFORM=$QT_QPA_PLATFORM
fi
results=$(basename "$program" .exe).results.txt
rm -f "$results"
wine "$program" "$@" -o "$results,txt"
status=$?
cat "$results" 2>/dev/null
exit $status
