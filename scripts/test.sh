#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
# Unit and headless window tests, and the real-window tests under their own virtual display.
ctest --preset default
# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
scripts/test-sanitized.sh
# A bounded fuzzing run over the record decoder with the file access, and the window.
scripts/fuzz.sh
# The installed program and its Debian package.
scripts/check-package.sh
# The Windows build, its tests under Wine, its zip and installer.
scripts/test-windows.sh
