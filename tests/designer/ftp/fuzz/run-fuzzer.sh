#!/bin/sh
# Builds one of the FTP fuzzers with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for SECONDS (default 300) from its seeds:
#   tests/designer/ftp/fuzz/run-fuzzer.sh [sites|listing] [SECONDS]
# "sites" (the default) fuzzes the sites.dat reader, "listing" the remote listing parsers.
# Work files go to build/fuzz-<name>/; findings are written there as crash-* / oom-*.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
name=sites
case "${1:-}" in
sites | listing)
    name=$1
    shift
    ;;
esac
case $name in
sites)
    sources="$here/SitesFileFuzzer.cpp $root/designer/ftp/Archive.cpp $root/designer/ftp/FtpSite.cpp
        $root/designer/ftp/SitesFile.cpp $root/platform/text/TextConvert.cpp
        $root/platform/text/StringUtil.cpp $root/platform/com/ModuleLoader.cpp"
    seeds="$here/seeds"
    maxlen=8192
    ;;
listing)
    sources="$here/ListingFuzzer.cpp $root/designer/ftp/FtpListing.cpp
        $root/designer/ftp/FtpReplyReader.cpp"
    seeds="$here/listing-seeds"
    maxlen=65536
    ;;
esac
work="$root/build/fuzz-$name"
mkdir -p "$work/corpus"
# shellcheck disable=SC2086 # the source list is split on purpose
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" $sources -ldl -o "$work/$name-fuzzer"
cd "$work"
"./$name-fuzzer" -max_total_time="${1:-300}" -max_len=$maxlen -malloc_limit_mb=64 \
    -rss_limit_mb=1024 -print_final_stats=1 corpus "$seeds" \
    $(ls -d "$here/../regressions" 2>/dev/null || true)
