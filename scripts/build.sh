#!/usr/bin/env bash
# Configures and builds the viewer, its tests and benchmarks with the default preset
# (CMakePresets.json), in its folder or the one given; further arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
dir=${1:-$(preset_dir default)}
shift || true
cmake --preset default -B "$dir" "$@"
cmake --build "$dir" --parallel "$(nproc)"
