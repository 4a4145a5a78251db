#pragma once
// The calendar the benchmarks work on: `events` events starting on `days` days from `first`
// (spread in quarter hours), of varied lengths, texts, labels and busy states; every tenth
// recurring (every kind of pattern, ended by a count, a date or not at all) with two moved
// and one deleted occurrence; every seventh in a schedule.
#include "calendar/store/CalendarData.h"

void FillSampleCalendar(CCalendarData& store, int events, const CCalendarDateTime& first, int days);
