#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test; each window test program starts a
# virtual display of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd build
ctest --output-on-failure -j "$(( $(nproc) * 2 ))" "$@"
