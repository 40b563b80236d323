#!/usr/bin/env bash
# Builds the viewer and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# the asan preset's folder and runs every test but the real-window ones (label "gui"). Fails on any error.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset asan >/dev/null
cmake --build --preset asan --parallel "$(nproc)"

# Any report ends the test with an error; leaks are checked too (Qt needs no exceptions here).
export ASAN_OPTIONS=abort_on_error=1:halt_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --preset asan
