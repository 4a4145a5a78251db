#!/usr/bin/env bash
# Installs the Debian 12 packages the program and its tests need. Quick when they are there.
set -euo pipefail
packages=(
    build-essential cmake pkg-config
    libwxgtk3.2-dev libwxgtk-webview3.2-dev libwebkit2gtk-4.0-dev libpugixml-dev
    libgtest-dev libical-dev libmimalloc-dev
    xvfb xauth xdotool imagemagick zip poppler-utils
    python3-pyftpdlib python3-gi python3-icalendar python3-dateutil curl chromium firefox-esr nodejs
    clang libclang-rt-14-dev # the fuzzers under tests/
    gettext wx3.2-i18n bubblewrap dpkg-dev fakeroot lintian
    libssl-dev libssh-dev python3-openssl openssh-server openssh-client
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
# The browser tests' tools (puppeteer-core, axe-core), as the lock file names them. Debian's
# npm only where Node came without one.
command -v npm > /dev/null || { [ "$(id -u)" -eq 0 ] && apt-get install -y --no-install-recommends npm || sudo apt-get install -y --no-install-recommends npm; }
tools="$(dirname "$0")/../tests/component"
if [ ! -f "$tools/node_modules/.package-lock.json" ] || [ "$tools/package-lock.json" -nt "$tools/node_modules/.package-lock.json" ]; then
    npm ci --prefix "$tools" --no-audit --no-fund
fi
