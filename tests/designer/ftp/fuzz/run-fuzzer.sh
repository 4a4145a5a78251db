#!/bin/sh
# Builds the sites.dat reader fuzzer with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for SECONDS (default 300) from the seeds.
#   tests/designer/ftp/fuzz/run-fuzzer.sh [SECONDS]
# Work files go to build/fuzz-sites/; findings are written there as crash-* / oom-*.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
work="$root/build/fuzz-sites"
mkdir -p "$work/corpus"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" \
    "$here/SitesFileFuzzer.cpp" \
    "$root/designer/ftp/Archive.cpp" "$root/designer/ftp/FtpSite.cpp" \
    "$root/designer/ftp/SitesFile.cpp" \
    "$root/platform/text/TextConvert.cpp" "$root/platform/text/StringUtil.cpp" \
    "$root/platform/com/ModuleLoader.cpp" \
    -ldl -o "$work/sites-fuzzer"
cd "$work"
./sites-fuzzer -max_total_time="${1:-300}" -max_len=8192 -malloc_limit_mb=32 -rss_limit_mb=1024 \
    -print_final_stats=1 corpus "$here/seeds" $(ls -d "$here/../regressions" 2>/dev/null || true)
