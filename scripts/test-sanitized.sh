#!/usr/bin/env bash
# Builds the viewer and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs every test but the real-window ones (label "gui"). Fails on any error.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-asan # the asan preset's folder

cmake --preset asan >/dev/null
cmake --build --preset asan --parallel "$(nproc)"

# Any report ends the test with an error; leaks are checked too (Qt needs no exceptions here).
export ASAN_OPTIONS=abort_on_error=1:halt_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$dir" -LE gui --output-on-failure --timeout 600
