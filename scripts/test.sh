#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
ctest --test-dir build --output-on-failure --timeout 300
