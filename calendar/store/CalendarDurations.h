#pragma once
// Texts for times of day and durations, as the event and recurrence dialogs show and read
// them.
//
// Durations are whole minutes. They are written in the largest unit that expresses them
// exactly: weeks, then days, then half days ("0.5 days", "1.5 days"), then hours, then half
// hours ("1.5 hours"), else minutes; the unit is singular only for exactly 1 ("1 minute",
// "1 hour", "1 day", "1 week"). So the duration list of the recurrence dialog reads
// "0 minutes", "1 minute", ..., "11 hours", "0.5 days", "18 hours", "1 day", ..., "2 weeks".
//
// Parsing is lenient: a decimal number, optionally followed by a unit ("m", "min", "minute",
// "minutes", "h", "hr", "hour", "hours", "d", "day", "days", "w", "wk", "week", "weeks" and the
// plural "mins", "hrs", "wks"), in any letter case, with or without a blank between; a number
// alone counts minutes. The result is rounded to the nearest minute.
#include <string>
#include <string_view>

namespace CalendarDurations {

// The largest duration that parses (about 1900 years); larger ones are refused.
constexpr int kMaxDurationMinutes = 1000000000;

// Duration text; a negative duration is written as "0 minutes".
std::string FormatDuration(int minutes);
// Minutes, or -1 when the text is not a duration (negative numbers included).
int ParseDuration(std::string_view text);

// Minutes since midnight, or -1 when the text is not a time of day. Accepts "9:30", "09:30",
// "21:30", "9:30 PM", "9:30pm", "9 AM", "12:00 AM" (midnight) and a bare hour "9" (9:00);
// blanks around the parts are ignored. Without AM or PM the hour is 0-23, with it 1-12;
// minutes are always two digits, 00-59.
int ParseTime(std::string_view text);
// "HH:MM", 24-hour, zero-padded ("09:30"); minutes outside a day wrap around midnight.
std::string FormatTime(int minutesOfDay);
// "H:MM AM" / "H:MM PM" ("9:30 AM", "12:00 PM" for noon).
std::string FormatTime12(int minutesOfDay);

} // namespace CalendarDurations
