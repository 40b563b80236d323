#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
source scripts/common.sh
scripts/build.sh
exec "$(preset_dir default)/src/app/kivo32"
