#!/bin/sh
# Builds the iCalendar import fuzzer with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for SECONDS (default 300) from the seeds.
#   tests/calendar/ical/fuzz/run-fuzzer.sh [SECONDS]
# Work files go to build/fuzz-ical/; findings are written there as crash-* / timeout-* / oom-*.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
work="$root/build/fuzz-ical"
mkdir -p "$work/corpus"
store="$root/calendar/store"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" \
    "$here/ICalendarImportFuzzer.cpp" \
    "$root"/calendar/ical/CalendarICalendarTimes.cpp \
    "$root"/calendar/ical/CalendarICalendarWriter.cpp \
    "$root"/calendar/ical/CalendarICalendarReader.cpp \
    "$store/CalendarDateTime.cpp" "$store/CalendarDurations.cpp" "$store/CalendarEvent.cpp" \
    "$store/CalendarRecurrencePattern.cpp" "$store/CalendarOccurrenceExpander.cpp" \
    "$store/CalendarLabels.cpp" "$store/CalendarCustomProperties.cpp" "$store/CalendarData.cpp" \
    -lical -o "$work/ical-fuzzer"
cd "$work"
./ical-fuzzer -max_total_time="${1:-300}" -max_len=16384 -timeout=20 -malloc_limit_mb=512 \
    -rss_limit_mb=2048 -print_final_stats=1 -dict="$here/ical.dict" corpus "$here/seeds"
