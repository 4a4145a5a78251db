#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program with the bundled calendar component.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/bin/TEVCalendar "$@"
