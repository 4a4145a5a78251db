#!/usr/bin/env bash
# Configures and builds into build/; the program and its modules land in build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# ccache, when the machine has it, makes rebuilds in several checkouts cheap.
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" > /dev/null
cmake --build build -j "$(nproc)"
