#include "calendar/CalendarRecurrenceEditorModel.h"

#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarDurations.h"
#include "platform/text/StringUtil.h"
#include "platform/text/Translation.h"
#include "resources/calendar/CalendarStrings.h"

#include <algorithm>
#include <cctype>

using namespace tev::calendar;

namespace {

constexpr int kMinutesPerDay = 1440;
constexpr int kMaxInterval = 999;

const int kDurationMinutes[] = {0,   1,   5,   10,  15,  30,  60,   120,  180,  240,  300,   360,
                                420, 480, 540, 600, 660, 720, 1080, 1440, 2880, 4320, 10080, 20160};
const int kWeekdayOrder[] = {2, 3, 4, 5, 6, 7, 1}; // Monday first, as the lists show them

int WrapDay(int minutes) {
    const int wrapped = minutes % kMinutesPerDay;
    return wrapped < 0 ? wrapped + kMinutesPerDay : wrapped;
}

// The value of a number edit within [low, high]; a refusal naming the bounds otherwise.
bool ReadNumber(const std::string& text, int low, int high, int controlId, int& value,
                CEditorRefusal& refusal) {
    long number = -1;
    if (!text.empty() && text.size() <= 9 && std::all_of(text.begin(), text.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        }))
        number = std::stol(text);
    if (number < low || number > high) {
        refusal = {IDS_VALUE_BETWEEN, controlId, low, high};
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

// The number of an edit that Check has already passed.
int NumberOf(const std::string& text) {
    int value = 0;
    CEditorRefusal ignored;
    ReadNumber(text, 0, 999999999, 0, value, ignored);
    return value;
}

// The first entry whose value shares a bit with `mask`; `fallback` when none does.
int FirstWeekdayIn(int mask, int fallback) {
    for (int dayOfWeek : kWeekdayOrder) {
        if (mask & CalendarDayOfWeekBit(dayOfWeek))
            return CalendarDayOfWeekBit(dayOfWeek);
    }
    return fallback;
}

int InRangeOr(int value, int low, int high, int fallback) {
    return value >= low && value <= high ? value : fallback;
}

void LoadOptions(const CCalendarRecurrenceOptions& options, CRecurrenceEditorFields& fields) {
    switch (options.m_type) {
    case kCalendarRecurrenceDaily:
        fields.kind = CalendarRecurrenceKind::Daily;
        fields.dailyWorkDays = options.IsEveryWorkDay();
        fields.dailyInterval = std::to_string(fields.dailyWorkDays ? 1 : options.m_data2);
        break;
    case kCalendarRecurrenceWeekly:
        fields.kind = CalendarRecurrenceKind::Weekly;
        fields.weeklyInterval = std::to_string(options.m_data1);
        fields.weekDays = options.m_data2 & kCalendarAllDays;
        break;
    case kCalendarRecurrenceMonthly:
        fields.kind = CalendarRecurrenceKind::Monthly;
        fields.monthlyDay = std::to_string(options.m_data2);
        fields.monthlyInterval = std::to_string(options.m_data1);
        break;
    case kCalendarRecurrenceMonthNth:
        fields.kind = CalendarRecurrenceKind::Monthly;
        fields.monthlyNth = true;
        fields.monthlyNthInterval = std::to_string(options.m_data1);
        fields.monthlyWhich =
            InRangeOr(options.m_data2, kCalendarFirst, kCalendarLast, fields.monthlyWhich);
        fields.monthlyWeekday = FirstWeekdayIn(options.m_data3, fields.monthlyWeekday);
        break;
    case kCalendarRecurrenceYearly:
        fields.kind = CalendarRecurrenceKind::Yearly;
        fields.yearlyDay = std::to_string(options.m_data2);
        fields.yearlyMonth = InRangeOr(options.m_data1, 1, 12, fields.yearlyMonth);
        break;
    case kCalendarRecurrenceYearNth:
        fields.kind = CalendarRecurrenceKind::Yearly;
        fields.yearlyNth = true;
        fields.yearlyNthMonth = InRangeOr(options.m_data3, 1, 12, fields.yearlyNthMonth);
        fields.yearlyWhich =
            InRangeOr(options.m_data1, kCalendarFirst, kCalendarLast, fields.yearlyWhich);
        fields.yearlyWeekday = FirstWeekdayIn(options.m_data2, fields.yearlyWeekday);
        break;
    default:
        fields.kind = CalendarRecurrenceKind::Weekly;
        break;
    }
}

// The numbers of the chosen kind, in the order OK checks them.
bool CheckKind(const CRecurrenceEditorFields& fields, CEditorRefusal& refusal) {
    int value = 0;
    switch (fields.kind) {
    case CalendarRecurrenceKind::Daily:
        return ReadNumber(fields.dailyInterval, 1, kMaxInterval, IDC_DAILY_INTERVAL, value,
                          refusal);
    case CalendarRecurrenceKind::Weekly:
        return ReadNumber(fields.weeklyInterval, 1, kMaxInterval, IDC_WEEKLY_INTERVAL, value,
                          refusal);
    case CalendarRecurrenceKind::Monthly:
        if (fields.monthlyNth)
            return ReadNumber(fields.monthlyNthInterval, 1, kMaxInterval, IDC_MONTHLY_THE_INTERVAL,
                              value, refusal);
        return ReadNumber(fields.monthlyInterval, 1, kMaxInterval, IDC_MONTHLY_DAY_INTERVAL, value,
                          refusal) &&
               ReadNumber(fields.monthlyDay, 1, 31, IDC_MONTHLY_DAY_NUMBER, value, refusal);
    case CalendarRecurrenceKind::Yearly:
        return fields.yearlyNth ||
               ReadNumber(fields.yearlyDay, 1, 31, IDC_YEARLY_DAY, value, refusal);
    }
    return true;
}

bool CheckRange(const CRecurrenceEditorFields& fields, CEditorRefusal& refusal) {
    int count = 0;
    switch (fields.endMethod) {
    case kCalendarPatternEndAfterOccurrences:
        return ReadNumber(fields.occurrences, 1, kMaxInterval, IDC_RANGE_OCCURRENCES, count,
                          refusal);
    case kCalendarPatternEndDate:
        if (fields.rangeEnd.GetDate() < fields.rangeStart.GetDate()) {
            refusal = {IDS_WRONG_VALUE, IDC_RANGE_END_DATE};
            return false;
        }
        return true;
    case kCalendarPatternNoEndDate:
        return true;
    }
    return true;
}

std::vector<CCalendarRecurrenceEditorModel::Entry> NumberedEntries(int firstId, int count) {
    std::vector<CCalendarRecurrenceEditorModel::Entry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back({CalendarString(firstId + i), i + 1});
    return entries;
}

// "Tuesday", "Tuesday and Thursday", "Monday, Wednesday and Friday", Monday first.
std::string DayNames(int mask) {
    std::vector<std::string> names;
    for (int dayOfWeek : kWeekdayOrder) {
        if (mask & CalendarDayOfWeekBit(dayOfWeek))
            names.push_back(DayName(dayOfWeek));
    }
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? kAnd : ", ") + names[i];
    return text;
}

// "first" ... "last"; a word out of range reads as "first", as the dialog shows it.
std::string WhichName(int which) {
    return tev::ToLowerAscii(CalendarString(IDS_WHICH_FIRST + InRangeOr(which, 1, 5, 1) - 1));
}

std::string LongDate(const CCalendarDateTime& date) {
    return tev::Format("%s %d, %d", MonthName(date.GetMonth()).c_str(), date.GetDay(),
                       date.GetYear());
}

std::string DescribeRule(const CCalendarRecurrenceOptions& o) {
    switch (o.m_type) {
    case kCalendarRecurrenceDaily:
        if (o.IsEveryWorkDay())
            return kEveryWorkDay;
        return o.m_data2 == 1 ? tev::Translate(kEveryDay)
                              : tev::Format(tev::Translate(kEveryDays).c_str(), o.m_data2);
    case kCalendarRecurrenceWeekly: {
        const std::string days = DayNames(o.m_data2);
        return o.m_data1 == 1
                   ? tev::Format(tev::Translate(kEveryWeekOn).c_str(), days.c_str())
                   : tev::Format(tev::Translate(kEveryWeeksOn).c_str(), o.m_data1, days.c_str());
    }
    case kCalendarRecurrenceMonthly:
        return o.m_data1 == 1
                   ? tev::Format(tev::Translate(kDayOfEveryMonth).c_str(), o.m_data2)
                   : tev::Format(tev::Translate(kDayOfEveryMonths).c_str(), o.m_data2, o.m_data1);
    case kCalendarRecurrenceMonthNth: {
        const std::string which = WhichName(o.m_data2);
        const std::string days = DayNames(o.m_data3);
        return o.m_data1 == 1 ? tev::Format(tev::Translate(kTheDayOfEveryMonth).c_str(),
                                            which.c_str(), days.c_str())
                              : tev::Format(tev::Translate(kTheDayOfEveryMonths).c_str(),
                                            which.c_str(), days.c_str(), o.m_data1);
    }
    case kCalendarRecurrenceYearly:
        return tev::Format(tev::Translate(kEveryYearOn).c_str(), MonthName(o.m_data1).c_str(),
                           o.m_data2);
    case kCalendarRecurrenceYearNth:
        return tev::Format(tev::Translate(kTheDayOfMonth).c_str(), WhichName(o.m_data1).c_str(),
                           DayNames(o.m_data2).c_str(), MonthName(o.m_data3).c_str());
    default:
        return {};
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// CRecurrenceTimes

CRecurrenceTimes::CRecurrenceTimes(int startMinutes, int durationMinutes)
    : m_start(WrapDay(startMinutes)), m_end(WrapDay(startMinutes + std::max(0, durationMinutes))),
      m_duration(durationMinutes) {}

std::string CRecurrenceTimes::StartText() const {
    return CalendarDurations::FormatTime(m_start);
}

std::string CRecurrenceTimes::EndText() const {
    return CalendarDurations::FormatTime(m_end);
}

std::string CRecurrenceTimes::DurationText() const {
    return CalendarDurations::FormatDuration(m_duration);
}

bool CRecurrenceTimes::StartChanged(std::string_view text) {
    const int start = CalendarDurations::ParseTime(text);
    if (start < 0)
        return false;
    m_start = start;
    m_end = WrapDay(start + std::max(0, m_duration));
    return true;
}

bool CRecurrenceTimes::EndChanged(std::string_view text) {
    const int end = CalendarDurations::ParseTime(text);
    if (end < 0)
        return false;
    m_duration += end - m_end;
    // An end before the start lies on the next day.
    if (end < m_start && m_duration < 0)
        m_duration = kMinutesPerDay - (m_start - end);
    m_end = end;
    return true;
}

bool CRecurrenceTimes::DurationChanged(std::string_view text) {
    const int duration = CalendarDurations::ParseDuration(text);
    if (duration < 0)
        return false;
    m_duration = duration;
    m_end = WrapDay(m_start + duration);
    return true;
}

// ---------------------------------------------------------------------------------------
// Lists

std::vector<CCalendarRecurrenceEditorModel::Entry>
CCalendarRecurrenceEditorModel::DurationEntries() {
    std::vector<Entry> entries;
    for (int minutes : kDurationMinutes)
        entries.push_back({CalendarDurations::FormatDuration(minutes), minutes});
    return entries;
}

std::vector<CCalendarRecurrenceEditorModel::Entry> CCalendarRecurrenceEditorModel::TimeEntries() {
    std::vector<Entry> entries;
    for (int minutes = 0; minutes < kMinutesPerDay; minutes += 30)
        entries.push_back({CalendarDurations::FormatTime(minutes), minutes});
    return entries;
}

std::vector<CCalendarRecurrenceEditorModel::Entry>
CCalendarRecurrenceEditorModel::WeekdayEntries() {
    std::vector<Entry> entries;
    for (int dayOfWeek : kWeekdayOrder)
        entries.push_back({DayName(dayOfWeek), CalendarDayOfWeekBit(dayOfWeek)});
    return entries;
}

std::vector<CCalendarRecurrenceEditorModel::Entry> CCalendarRecurrenceEditorModel::WhichEntries() {
    return NumberedEntries(IDS_WHICH_FIRST, kCalendarLast);
}

std::vector<CCalendarRecurrenceEditorModel::Entry> CCalendarRecurrenceEditorModel::MonthEntries() {
    std::vector<Entry> entries;
    for (int month = 1; month <= 12; ++month)
        entries.push_back({MonthName(month), month});
    return entries;
}

// ---------------------------------------------------------------------------------------
// Loading

CCalendarRecurrenceEditorModel::CCalendarRecurrenceEditorModel(CCalendarEventPtr event, bool allDay)
    : m_event(std::move(event)), m_allDay(allDay) {}

CCalendarDateTime CCalendarRecurrenceEditorModel::GetToday() const {
    const CCalendarData* data = m_event->GetDataProvider();
    return (data ? data->GetCurrentTime() : CCalendarDateTime::Now()).GetDate();
}

CRecurrenceTimes CCalendarRecurrenceEditorModel::LoadTimes() const {
    const CCalendarRecurrencePatternPtr pattern = m_event->GetRecurrencePattern();
    const int start = pattern ? pattern->GetStartTime() : 0;
    const int duration = pattern ? pattern->GetDurationMinutes() : 0;
    if (!m_allDay)
        return CRecurrenceTimes(start, duration);
    // Occurrences of an all-day series run from midnight for whole days, one at least.
    const bool wholeDays = duration >= kMinutesPerDay && duration % kMinutesPerDay == 0;
    return CRecurrenceTimes(0, wholeDays ? duration : kMinutesPerDay);
}

CRecurrenceEditorFields
CCalendarRecurrenceEditorModel::LoadFields(const CCalendarDateTime& today) const {
    CRecurrenceEditorFields fields;
    const CRecurrenceTimes times = LoadTimes();
    fields.startTime = times.StartText();
    fields.endTime = times.EndText();
    fields.duration = times.DurationText();
    fields.yearlyDay = std::to_string(today.GetDay());
    fields.yearlyMonth = today.GetMonth();
    fields.yearlyNthMonth = today.GetMonth();
    fields.rangeEnd = today.GetDate();
    const CCalendarRecurrencePatternPtr pattern = m_event->GetRecurrencePattern();
    if (!pattern)
        return fields;
    fields.rangeStart = pattern->GetPatternStartDate();
    fields.endMethod = pattern->GetUseEndMethod();
    if (fields.endMethod == kCalendarPatternEndDate)
        fields.rangeEnd = pattern->GetPatternEndDate();
    else if (fields.endMethod == kCalendarPatternEndAfterOccurrences)
        fields.occurrences = std::to_string(pattern->GetEndAfterOccurrences());
    LoadOptions(pattern->GetRecurrenceOptions(), fields);
    return fields;
}

// ---------------------------------------------------------------------------------------
// OK

CEditorRefusal CCalendarRecurrenceEditorModel::Check(const CRecurrenceEditorFields& fields) {
    if (CalendarDurations::ParseTime(fields.startTime) < 0)
        return {IDS_WRONG_VALUE, IDC_RECURRENCE_START};
    if (CalendarDurations::ParseTime(fields.endTime) < 0)
        return {IDS_WRONG_VALUE, IDC_RECURRENCE_END};
    if (CalendarDurations::ParseDuration(fields.duration) < 0)
        return {IDS_WRONG_VALUE, IDC_RECURRENCE_DURATION};
    CEditorRefusal refusal;
    if (!CheckKind(fields, refusal) || !CheckRange(fields, refusal))
        return refusal;
    return {};
}

CCalendarRecurrenceOptions
CCalendarRecurrenceEditorModel::BuildOptions(const CRecurrenceEditorFields& fields) {
    switch (fields.kind) {
    case CalendarRecurrenceKind::Daily:
        return fields.dailyWorkDays
                   ? CCalendarRecurrenceOptions::EveryWorkDay()
                   : CCalendarRecurrenceOptions::Daily(NumberOf(fields.dailyInterval));
    case CalendarRecurrenceKind::Weekly:
        return CCalendarRecurrenceOptions::Weekly(NumberOf(fields.weeklyInterval), fields.weekDays);
    case CalendarRecurrenceKind::Monthly:
        if (fields.monthlyNth)
            return CCalendarRecurrenceOptions::MonthNth(NumberOf(fields.monthlyNthInterval),
                                                        fields.monthlyWhich, fields.monthlyWeekday);
        return CCalendarRecurrenceOptions::Monthly(NumberOf(fields.monthlyInterval),
                                                   NumberOf(fields.monthlyDay));
    case CalendarRecurrenceKind::Yearly:
        if (fields.yearlyNth)
            return CCalendarRecurrenceOptions::YearNth(fields.yearlyWhich, fields.yearlyWeekday,
                                                       fields.yearlyNthMonth);
        return CCalendarRecurrenceOptions::Yearly(fields.yearlyMonth, NumberOf(fields.yearlyDay));
    }
    return {};
}

CCalendarRecurrencePatternPtr
CCalendarRecurrenceEditorModel::BuildPattern(const CRecurrenceEditorFields& fields) const {
    const CCalendarRecurrencePatternPtr old = m_event->GetRecurrencePattern();
    const CCalendarRecurrencePatternPtr pattern =
        old ? old->ClonePattern() : std::make_shared<CCalendarRecurrencePattern>();
    pattern->SetStartTime(CalendarDurations::ParseTime(fields.startTime));
    pattern->SetDurationMinutes(CalendarDurations::ParseDuration(fields.duration));
    pattern->SetRecurrenceOptions(BuildOptions(fields));
    pattern->SetPatternStartDate(fields.rangeStart);
    switch (fields.endMethod) {
    case kCalendarPatternNoEndDate:
        pattern->SetNoEndDate();
        break;
    case kCalendarPatternEndAfterOccurrences:
        pattern->SetEndAfterOccurrences(NumberOf(fields.occurrences));
        break;
    case kCalendarPatternEndDate:
        pattern->SetPatternEndDate(fields.rangeEnd);
        break;
    }
    return pattern;
}

std::string CCalendarRecurrenceEditorModel::Describe(const CCalendarRecurrencePattern& pattern,
                                                     bool allDay) {
    const CRecurrenceTimes times(pattern.GetStartTime(), pattern.GetDurationMinutes());
    const std::string hours = allDay
                                  ? ""
                                  : tev::Format(tev::Translate(kFromTo).c_str(),
                                                times.StartText().c_str(), times.EndText().c_str());
    std::string range;
    if (pattern.GetPatternStartDate().IsValid())
        range = tev::Format(tev::Translate(kStarting).c_str(),
                            LongDate(pattern.GetPatternStartDate()).c_str());
    if (pattern.GetUseEndMethod() == kCalendarPatternEndAfterOccurrences)
        range += tev::Format(tev::Translate(kTimes).c_str(), pattern.GetEndAfterOccurrences());
    else if (pattern.GetUseEndMethod() == kCalendarPatternEndDate)
        range += tev::Format(tev::Translate(kUntil).c_str(),
                             LongDate(pattern.GetPatternEndDate()).c_str());
    return tev::Format(tev::Translate(kOccursFormat).c_str(),
                       DescribeRule(pattern.GetRecurrenceOptions()).c_str(), hours.c_str(),
                       range.c_str());
}

bool CCalendarRecurrenceEditorModel::SameOccurrences(const CCalendarRecurrencePattern& a,
                                                     const CCalendarRecurrencePattern& b) {
    if (a.GetStartTime() != b.GetStartTime() || a.GetDurationMinutes() != b.GetDurationMinutes() ||
        a.GetRecurrenceOptions() != b.GetRecurrenceOptions() ||
        a.GetPatternStartDate() != b.GetPatternStartDate() ||
        a.GetUseEndMethod() != b.GetUseEndMethod())
        return false;
    switch (a.GetUseEndMethod()) {
    case kCalendarPatternEndDate:
        return a.GetPatternEndDate() == b.GetPatternEndDate();
    case kCalendarPatternEndAfterOccurrences:
        return a.GetEndAfterOccurrences() == b.GetEndAfterOccurrences();
    case kCalendarPatternNoEndDate:
        return true;
    }
    return true;
}

bool CCalendarRecurrenceEditorModel::LosesExceptions(
    const CCalendarRecurrencePattern& pattern) const {
    const CCalendarRecurrencePatternPtr old = m_event->GetRecurrencePattern();
    return old && !old->GetExceptions().empty() && !SameOccurrences(*old, pattern);
}

void CCalendarRecurrenceEditorModel::Apply(const CCalendarRecurrencePatternPtr& pattern) {
    if (LosesExceptions(*pattern))
        pattern->RemoveAllExceptions();
    m_event->UpdateRecurrence(pattern);
}

void CCalendarRecurrenceEditorModel::RemoveRecurrence() {
    m_event->RemoveRecurrence();
}
