#include "calendar/store/CalendarDurations.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace CalendarDurations {

namespace {

std::string Counted(const char* number, const char* unit, bool one) {
    std::string text(number);
    text += ' ';
    text += unit;
    if (!one)
        text += 's';
    return text;
}

std::string Whole(int count, const char* unit) {
    return Counted(std::to_string(count).c_str(), unit, count == 1);
}

// count and a half, as "0.5", "1.5", ...
std::string Half(int wholeCount, const char* unit) {
    const std::string number = std::to_string(wholeCount) + ".5";
    return Counted(number.c_str(), unit, false);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool EqualsLower(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != lower[i])
            return false;
    }
    return true;
}

bool IsAnyOf(std::string_view unit, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
        if (EqualsLower(unit, name))
            return true;
    }
    return false;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string FormatDuration(int minutes) {
    if (minutes <= 0)
        return Whole(0, "minute");
    if (minutes < 60)
        return Whole(minutes, "minute");
    if (minutes % 10080 == 0)
        return Whole(minutes / 10080, "week");
    if (minutes % 1440 == 0)
        return Whole(minutes / 1440, "day");
    if (minutes % 720 == 0)
        return Half(minutes / 1440, "day");
    if (minutes % 60 == 0)
        return Whole(minutes / 60, "hour");
    if (minutes % 30 == 0)
        return Half(minutes / 60, "hour");
    return Whole(minutes, "minute");
}

int ParseDuration(std::string_view text) {
    text = TrimBlanks(text);
    size_t pos = 0;
    double value = 0;
    bool digits = false;
    while (pos < text.size() && IsDigit(text[pos])) {
        value = value * 10 + (text[pos] - '0');
        digits = true;
        ++pos;
        // Anything this long is far beyond the limit; stop before the double loses count.
        if (value > 1e15)
            return -1;
    }
    if (pos < text.size() && (text[pos] == '.' || text[pos] == ',')) {
        ++pos;
        double scale = 0.1;
        while (pos < text.size() && IsDigit(text[pos])) {
            value += (text[pos] - '0') * scale;
            scale /= 10;
            digits = true;
            ++pos;
        }
    }
    if (!digits)
        return -1;
    const std::string_view unit = TrimBlanks(text.substr(pos));
    double factor = 0;
    if (unit.empty() || IsAnyOf(unit, {"m", "min", "mins", "minute", "minutes"}))
        factor = 1;
    else if (IsAnyOf(unit, {"h", "hr", "hrs", "hour", "hours"}))
        factor = 60;
    else if (IsAnyOf(unit, {"d", "day", "days"}))
        factor = 1440;
    else if (IsAnyOf(unit, {"w", "wk", "wks", "week", "weeks"}))
        factor = 10080;
    else
        return -1;
    const double minutes = std::floor(value * factor + 0.5);
    if (minutes > kMaxDurationMinutes)
        return -1;
    return static_cast<int>(minutes);
}

int ParseTime(std::string_view text) {
    text = TrimBlanks(text);
    size_t pos = 0;
    int hour = 0;
    int hourDigits = 0;
    while (pos < text.size() && IsDigit(text[pos]) && hourDigits < 3) {
        hour = hour * 10 + (text[pos] - '0');
        ++hourDigits;
        ++pos;
    }
    if (hourDigits == 0 || hourDigits > 2)
        return -1;
    int minute = 0;
    if (pos < text.size() && text[pos] == ':') {
        ++pos;
        if (pos + 2 > text.size() || !IsDigit(text[pos]) || !IsDigit(text[pos + 1]))
            return -1;
        minute = (text[pos] - '0') * 10 + (text[pos + 1] - '0');
        pos += 2;
        if (minute > 59)
            return -1;
    }
    const std::string_view suffix = TrimBlanks(text.substr(pos));
    if (suffix.empty())
        return hour <= 23 ? hour * 60 + minute : -1;
    const bool am = IsAnyOf(suffix, {"am", "a.m.", "a"});
    const bool pm = IsAnyOf(suffix, {"pm", "p.m.", "p"});
    if ((!am && !pm) || hour < 1 || hour > 12)
        return -1;
    hour %= 12;
    if (pm)
        hour += 12;
    return hour * 60 + minute;
}

namespace {
int WrapDay(int minutes) {
    const int wrapped = minutes % 1440;
    return wrapped < 0 ? wrapped + 1440 : wrapped;
}
} // namespace

std::string FormatTime(int minutesOfDay) {
    const int minutes = WrapDay(minutesOfDay);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60, minutes % 60);
    return text;
}

std::string FormatTime12(int minutesOfDay) {
    const int minutes = WrapDay(minutesOfDay);
    const int hour = minutes / 60;
    const int shown = hour % 12 == 0 ? 12 : hour % 12;
    char text[24];
    std::snprintf(text, sizeof text, "%d:%02d %s", shown, minutes % 60, hour < 12 ? "AM" : "PM");
    return text;
}

} // namespace CalendarDurations
