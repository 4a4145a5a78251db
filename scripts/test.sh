#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test; window tests get a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd build
xvfb-run -a -s "-screen 0 1600x1200x24" ctest --output-on-failure -j "$(nproc)" "$@"
