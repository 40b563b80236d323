#!/usr/bin/env bash
# Configures and builds the viewer, its tests and benchmarks in build/ (or the folder given),
# with the default preset (CMakePresets.json); further arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake --preset default -B "$dir" "$@"
cmake --build "$dir" --parallel "$(nproc)"
