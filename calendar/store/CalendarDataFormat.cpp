#include "calendar/store/CalendarDataFormat.h"

#include "calendar/store/CalendarData.h"
#include "calendar/store/EventIdList.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <unordered_map>

namespace {

const char kInvalidDateTime[] = "Invalid DateTime";
const char* const kBusyKeywords[] = {"Free", "Tentative", "Busy", "Out Of Office"};
const char kUnknownBusy[] = "Unknown";
const char* const kScheduleProperties[] = {"Phone", "Email", "Company", "Location"};

char* PutDigits(char* out, int value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

// Writes "MM:DD:YYYY" and, with `withTime`, " HH:MM"; returns the text's length.
size_t PutDateTime(char* out, const CCalendarDateTime& value, bool withTime) {
    int year = 0, month = 0, day = 0;
    value.GetDateParts(year, month, day);
    char* p = PutDigits(out, month, 2);
    *p++ = ':';
    p = PutDigits(p, day, 2);
    *p++ = ':';
    p = PutDigits(p, year, 4);
    if (withTime) {
        *p++ = ' ';
        p = PutDigits(p, value.GetHour(), 2);
        *p++ = ':';
        p = PutDigits(p, value.GetMinute(), 2);
    }
    return static_cast<size_t>(p - out);
}

// The number the two decimal digits at `text` make; -1 unless both are digits.
int TwoDigits(const char* text) {
    const unsigned tens = static_cast<unsigned char>(text[0]) - static_cast<unsigned>('0');
    const unsigned ones = static_cast<unsigned char>(text[1]) - static_cast<unsigned>('0');
    return tens < 10 && ones < 10 ? static_cast<int>(tens * 10 + ones) : -1;
}

// The characters the class library's Mid(start, count) gives: fewer at the end of the text.
std::string_view Mid(std::string_view text, size_t start, size_t count) {
    return start >= text.size() ? std::string_view() : text.substr(start, count);
}

// The document's text, written out directly in the form the XML library prints a document
// (raw, no declaration, attribute values escaped as it escapes them), so that documents keep
// the very text they had when they were built as a document and printed.
// The characters an attribute value cannot hold as they are (NUL ends the value).
struct SpecialCharacters {
    bool is[256] = {};
    SpecialCharacters() {
        for (int c = 0; c < 32; ++c)
            is[c] = true;
        is[static_cast<unsigned char>('&')] = true;
        is[static_cast<unsigned char>('<')] = true;
        is[static_cast<unsigned char>('"')] = true;
    }
};
const SpecialCharacters kSpecial;

class DataText {
public:
    explicit DataText(size_t events) { m_text.reserve(64 + events * kBytesPerEvent); }

    void Open(const char* element) {
        m_text += '<';
        m_text += element;
    }
    void EndStartTag() { m_text += '>'; }
    void EndEmptyElement() { m_text += "/>"; }
    void Close(const char* element) {
        m_text += "</";
        m_text += element;
        m_text += '>';
    }
    void Whitespace(const char* text) { m_text += text; }

    // A text value ends at its first NUL character, as in the library.
    void Text(const char* name, const char* value) {
        StartAttribute(name);
        Escaped(value);
        m_text += '"';
    }
    void Text(const char* name, const std::string& value) { Text(name, value.c_str()); }
    void Number(const char* name, long long value) {
        char text[24];
        char* end = text + sizeof text;
        char* p = end;
        const bool negative = value < 0;
        unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                                : static_cast<unsigned long long>(value);
        do {
            *--p = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (negative)
            *--p = '-';
        StartAttribute(name);
        m_text.append(p, end);
        m_text += '"';
    }
    void DateTime(const char* name, const CCalendarDateTime& value, bool withTime = true) {
        if (value.IsNull()) {
            Text(name, "");
        } else if (!value.IsValid()) {
            Text(name, kInvalidDateTime);
        } else {
            StartAttribute(name);
            // Events share few days (their own, the day they were made): each day's text is
            // kept for the next time.
            const int64_t day = value.GetDayNumber();
            KnownDate& known = m_dates[static_cast<uint64_t>(day) % kKnownDates];
            if (known.day != day) {
                known.day = day;
                PutDateTime(known.text, value, false);
            }
            m_text.append(known.text, kDateLength);
            if (withTime) {
                char time[6] = {' '};
                PutDigits(PutDigits(time + 1, value.GetHour(), 2) + 1, value.GetMinute(), 2);
                time[3] = ':';
                m_text.append(time, sizeof time);
            }
            m_text += '"';
        }
    }

    std::string Take() { return std::move(m_text); }

private:
    // More than most events take, so that the text need not move while it grows: reserved
    // memory costs nothing until it is written.
    static constexpr size_t kBytesPerEvent = 1024;

    void StartAttribute(const char* name) {
        char start[40] = {' '};
        const size_t length = std::min(std::strlen(name), sizeof start - 3);
        std::memcpy(start + 1, name, length);
        start[length + 1] = '=';
        start[length + 2] = '"';
        m_text.append(start, length + 3);
    }
    // '&', '<' and '"' as entities, characters below 32 as two-digit character references,
    // everything else (bytes of UTF-8 sequences included) as it is.
    void Escaped(const char* value) {
        const char* run = value;
        for (const char* p = value;; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (!kSpecial.is[c])
                continue;
            m_text.append(run, p);
            if (c == 0)
                return;
            if (c == '&') {
                m_text += "&amp;";
            } else if (c == '<') {
                m_text += "&lt;";
            } else if (c == '"') {
                m_text += "&quot;";
            } else {
                const char reference[] = {'&', '#', static_cast<char>('0' + c / 10),
                                          static_cast<char>('0' + c % 10), ';'};
                m_text.append(reference, sizeof reference);
            }
            run = p + 1;
        }
    }

    static constexpr size_t kDateLength = 10; // "MM:DD:YYYY"
    static constexpr size_t kKnownDates = 8;
    struct KnownDate {
        int64_t day = INT64_MIN;
        char text[kDateLength + 1] = {};
    };

    std::string m_text;
    KnownDate m_dates[kKnownDates];
};

// The eleven properties from StartTime to BusyStatus, shared by events and exceptions.
void WriteProperties(DataText& out, const CCalendarEvent& event, const CCalendarLabels& labels) {
    out.DateTime("StartTime", event.GetStartTime());
    out.DateTime("EndTime", event.GetEndTime());
    out.Text("Subject", event.GetSubject());
    out.DateTime("CreationTime", event.GetCreationTime());
    out.DateTime("LastModificationTime", event.GetLastModificationTime());
    out.Text("Location", event.GetLocation());
    out.Number("IsMeeting", event.IsMeeting() ? 1 : 0);
    out.Number("AllDayEvent", event.IsAllDayEvent() ? 1 : 0);
    const CCalendarLabel* label = labels.Find(event.GetLabelId());
    out.Text("Type", label ? label->m_name.c_str() : "");
    out.Text("Body", event.GetBody());
    out.Text("BusyStatus", CCalendarDataFormat::BusyStatusText(event.GetBusyStatus()));
}

// Properties the format came to carry later, written only when set, so that documents of
// events without them stay as they were.
void WriteLaterProperties(DataText& out, const CCalendarEvent& event) {
    if (event.IsPrivate())
        out.Number("Private", 1);
    if (event.IsReminder())
        out.Number("ReminderMinutes", event.GetReminderMinutesBeforeStart());
}

void WriteException(DataText& out, const CCalendarEvent& exception, uint32_t patternId,
                    const CCalendarLabels& labels) {
    out.Open("Exception");
    out.Number("EventID", exception.GetEventId());
    out.Number("RecurrencePatternID", patternId);
    WriteProperties(out, exception, labels);
    out.DateTime("RException_StartTimeOrig", exception.GetRExceptionStartTimeOrig());
    out.DateTime("RException_EndTimeOrig", exception.GetRExceptionEndTimeOrig());
    out.Number("RException_Deleted", exception.IsRExceptionDeleted() ? 1 : 0);
    out.EndEmptyElement();
}

void WritePattern(DataText& out, const CCalendarRecurrencePattern& pattern,
                  const CCalendarLabels& labels) {
    const CCalendarRecurrenceOptions& options = pattern.GetRecurrenceOptions();
    out.Open("Pattern");
    out.Text("StartTime", CCalendarDataFormat::FormatTime(pattern.GetStartTime()));
    out.Text("EndTime",
             CCalendarDataFormat::FormatTime(static_cast<int>(
                 (pattern.GetStartTime() + static_cast<long long>(pattern.GetDurationMinutes())) %
                 1440)));
    out.Number("DurationMinutes", pattern.GetDurationMinutes());
    out.Number("RecurrenceType", options.m_type);
    out.Number("RecurrenceOpt_Data1", options.m_data1);
    out.Number("RecurrenceOpt_Data2", options.m_data2);
    out.Number("RecurrenceOpt_Data3", options.m_data3);
    out.DateTime("PatternStartDate", pattern.GetPatternStartDate(), false);
    out.DateTime("PatternEndDate", pattern.GetPatternEndDate(), false);
    out.Number("UseEndMethod", pattern.GetUseEndMethod());
    if (pattern.GetUseEndMethod() == kCalendarPatternEndAfterOccurrences)
        out.Number("EndAfterOccurrences", pattern.GetEndAfterOccurrences());
    if (pattern.GetExceptions().empty()) {
        out.EndEmptyElement();
        return;
    }
    out.EndStartTag();
    for (const CCalendarEventPtr& exception : pattern.GetExceptions())
        WriteException(out, *exception, pattern.GetPatternId(), labels);
    out.Close("Pattern");
}

void WriteSchedule(DataText& out, const CCalendarSchedule& schedule) {
    out.Open("Schedule");
    out.Text("Name", schedule.GetName());
    std::string value;
    for (const char* name : kScheduleProperties) {
        if (schedule.GetCustomProperties().GetProperty(name, value))
            out.Text(name, value);
    }
    out.EndEmptyElement();
}

void WriteEvent(DataText& out, const CCalendarData& store, const CCalendarEvent& event) {
    const CCalendarLabels& labels = store.GetLabels();
    out.Open("Event");
    out.Number("EventID", event.GetEventId());
    WriteProperties(out, event, labels);
    out.Text("UID", event.GetUid());
    WriteLaterProperties(out, event);
    const CCalendarRecurrencePatternPtr pattern =
        event.GetRecurrenceState() == kCalendarRecurrenceMaster ? event.GetRecurrencePattern()
                                                                : nullptr;
    const int scheduleIndex = store.FindScheduleIndex(event.GetScheduleId());
    if (!pattern && scheduleIndex < 0) {
        out.EndEmptyElement();
        return;
    }
    out.EndStartTag();
    if (pattern)
        WritePattern(out, *pattern, labels);
    if (scheduleIndex >= 0)
        WriteSchedule(out, store.GetScheduleAt(static_cast<size_t>(scheduleIndex)));
    out.Close("Event");
}

// The attributes an element may carry, in the order the writer puts them. Reading looks
// each element's attributes over once, trying the next expected name first.
enum EventAttribute {
    kEventID,
    kRecurrencePatternID,
    kStartTime,
    kEndTime,
    kSubject,
    kCreationTime,
    kLastModificationTime,
    kLocation,
    kIsMeeting,
    kAllDayEvent,
    kType,
    kBody,
    kBusyStatus,
    kUid,
    kPrivate,
    kReminderMinutes,
    kStartTimeOrig,
    kEndTimeOrig,
    kDeleted,
    kEventAttributeCount
};
const char* const kEventAttributes[kEventAttributeCount] = {"EventID",
                                                            "RecurrencePatternID",
                                                            "StartTime",
                                                            "EndTime",
                                                            "Subject",
                                                            "CreationTime",
                                                            "LastModificationTime",
                                                            "Location",
                                                            "IsMeeting",
                                                            "AllDayEvent",
                                                            "Type",
                                                            "Body",
                                                            "BusyStatus",
                                                            "UID",
                                                            "Private",
                                                            "ReminderMinutes",
                                                            "RException_StartTimeOrig",
                                                            "RException_EndTimeOrig",
                                                            "RException_Deleted"};

enum PatternAttribute {
    kPatternStartTime,
    kPatternEndTime,
    kDurationMinutes,
    kRecurrenceType,
    kData1,
    kData2,
    kData3,
    kPatternStartDate,
    kPatternEndDate,
    kUseEndMethod,
    kEndAfterOccurrences,
    kPatternAttributeCount
};
const char* const kPatternAttributes[kPatternAttributeCount] = {
    "StartTime",           "EndTime",
    "DurationMinutes",     "RecurrenceType",
    "RecurrenceOpt_Data1", "RecurrenceOpt_Data2",
    "RecurrenceOpt_Data3", "PatternStartDate",
    "PatternEndDate",      "UseEndMethod",
    "EndAfterOccurrences"};

// The values of the named attributes ("" when absent; the first of a repeated name counts).
template <size_t N> struct Attributes {
    const char* values[N];

    Attributes(const pugi::xml_node& node, const char* const (&names)[N]) {
        std::fill(values, values + N, nullptr);
        size_t next = 0;
        for (pugi::xml_attribute attribute = node.first_attribute(); attribute;
             attribute = attribute.next_attribute()) {
            const char* name = attribute.name();
            for (size_t step = 0; step < N; ++step) {
                const size_t i = (next + step) % N;
                if (names[i][0] == name[0] && std::strcmp(names[i], name) == 0) {
                    if (!values[i])
                        values[i] = attribute.value();
                    next = i + 1;
                    break;
                }
            }
        }
        for (const char*& value : values) {
            if (!value)
                value = "";
        }
    }
    std::string_view operator[](size_t index) const { return values[index]; }
    bool Has(size_t index) const { return *values[index] != '\0'; }
    int Integer(size_t index) const { return CCalendarDataFormat::ParseInteger(values[index]); }
    CCalendarDateTime DateTime(size_t index) const {
        return CCalendarDataFormat::ParseDateTime(values[index]);
    }
};
using EventAttributes = Attributes<kEventAttributeCount>;
using PatternAttributes = Attributes<kPatternAttributeCount>;

// What reading one document needs beside its elements: the store, the moment the load began
// (every new event is stamped with it) and the label numbers by name, the last label of a
// name winning. The names are the store's own, which a load leaves as they are.
struct ReadContext {
    explicit ReadContext(CCalendarData& target) : store(target), now(target.GetCurrentTime()) {
        for (const CCalendarLabel& label : store.GetLabels().GetLabels())
            labelIds[label.m_name] = label.m_labelId;
    }

    CCalendarData& store;
    const CCalendarDateTime now;
    std::unordered_map<std::string_view, int> labelIds;
};

// The `Event` elements of a document.
size_t CountEvents(const pugi::xml_document& document) {
    size_t count = 0;
    for (const pugi::xml_node& data : document.children("Data")) {
        for (const pugi::xml_node& events : data.children("Events")) {
            for (pugi::xml_node node = events.child("Event"); node;
                 node = node.next_sibling("Event"))
                ++count;
        }
    }
    return count;
}

// The event's UID and the properties written only when set.
void ReadLaterProperties(const EventAttributes& a, CCalendarEvent& event) {
    event.SetUid(std::string(a[kUid]));
    event.SetPrivate(a.Integer(kPrivate) != 0);
    event.SetReminder(a.Has(kReminderMinutes));
    if (a.Has(kReminderMinutes))
        event.SetReminderMinutesBeforeStart(a.Integer(kReminderMinutes));
}

// Steps shared by events and exceptions: StartTime to BusyStatus.
void ReadProperties(const EventAttributes& a, CCalendarEvent& event, const ReadContext& context) {
    const CCalendarDateTime start = a.DateTime(kStartTime);
    if (start.IsValid())
        event.SetStartTime(start);
    const CCalendarDateTime end = a.DateTime(kEndTime);
    if (end.IsValid())
        event.SetEndTime(end);
    event.SetSubject(std::string(a[kSubject]));
    const CCalendarDateTime created = a.DateTime(kCreationTime);
    if (created.IsValid())
        event.SetCreationTime(created);
    const CCalendarDateTime modified = a.DateTime(kLastModificationTime);
    if (modified.IsValid())
        event.SetLastModificationTime(modified);
    event.SetLocation(std::string(a[kLocation]));
    event.SetMeeting(a.Integer(kIsMeeting) != 0);
    event.SetAllDayEvent(a.Integer(kAllDayEvent) != 0);
    const auto label = context.labelIds.find(a[kType]);
    if (label != context.labelIds.end())
        event.SetLabelId(label->second);
    event.SetBody(std::string(a[kBody]));
    event.SetBusyStatus(CCalendarDataFormat::ParseBusyStatus(a[kBusyStatus]));
}

void ReadPattern(const pugi::xml_node& node, CCalendarEvent& master, ReadContext& context) {
    const PatternAttributes a(node, kPatternAttributes);
    const CCalendarRecurrencePatternPtr pattern = master.MakeEventAsRecurrence();
    const CCalendarDateTime startTime = CCalendarDataFormat::ParseTime(a[kPatternStartTime]);
    if (startTime.IsValid())
        pattern->SetStartTime(startTime);
    pattern->SetDurationMinutes(a.Integer(kDurationMinutes));
    pattern->SetRecurrenceOptions(
        {a.Integer(kRecurrenceType), a.Integer(kData1), a.Integer(kData2), a.Integer(kData3)});
    const CCalendarDateTime startDate = a.DateTime(kPatternStartDate);
    if (startDate.IsValid())
        pattern->SetPatternStartDate(startDate);
    switch (a.Integer(kUseEndMethod)) {
    case kCalendarPatternEndDate: {
        const CCalendarDateTime endDate = a.DateTime(kPatternEndDate);
        if (endDate.IsValid())
            pattern->SetPatternEndDate(endDate);
        break;
    }
    case kCalendarPatternEndAfterOccurrences: {
        const int count = a.Integer(kEndAfterOccurrences);
        if (count > 0)
            pattern->SetEndAfterOccurrences(count);
        break;
    }
    default:
        pattern->SetNoEndDate();
        break;
    }
    master.SetEventId(pattern->GetPatternId());

    for (const pugi::xml_node& exceptionNode : node.children("Exception")) {
        const EventAttributes e(exceptionNode, kEventAttributes);
        const CCalendarEventPtr exception =
            context.store.CreateNewEvent(static_cast<uint32_t>(e.Integer(kEventID)), context.now);
        ReadProperties(e, *exception, context);
        exception->SetRecurrencePatternId(pattern->GetPatternId());
        exception->SetRExceptionDeleted(e.Integer(kDeleted) != 0);
        const CCalendarDateTime originalStart = e.DateTime(kStartTimeOrig);
        if (originalStart.IsValid())
            exception->SetRExceptionStartTimeOrig(originalStart);
        const CCalendarDateTime originalEnd = e.DateTime(kEndTimeOrig);
        if (originalEnd.IsValid())
            exception->SetRExceptionEndTimeOrig(originalEnd);
        pattern->AddException(exception);
    }
    master.UpdateRecurrence(pattern);
}

void ReadSchedule(const pugi::xml_node& node, CCalendarEvent& event, CCalendarData& store) {
    const std::string name = node.attribute("Name").value();
    if (const CCalendarSchedule* existing = store.FindScheduleByName(name)) {
        if (existing->GetId() >= 0) {
            event.SetScheduleId(existing->GetId());
            return;
        }
    }
    const int scheduleId = store.AddSchedule(name);
    if (scheduleId < 0)
        return;
    CCalendarSchedule* schedule = store.FindScheduleByName(name);
    if (!schedule)
        return;
    for (const char* property : kScheduleProperties) {
        const pugi::xml_attribute attribute = node.attribute(property);
        if (attribute && *attribute.value())
            schedule->GetCustomProperties().SetProperty(property, attribute.value());
    }
    event.SetScheduleId(schedule->GetId());
}

// One `Event` element as a new event of the store, not added yet.
CCalendarEventPtr ReadEvent(const pugi::xml_node& node, ReadContext& context) {
    const EventAttributes a(node, kEventAttributes);
    const CCalendarEventPtr event = context.store.CreateNewEvent(0, context.now);
    event->SetEventId(static_cast<uint32_t>(a.Integer(kEventID)));
    ReadProperties(a, *event, context);
    ReadLaterProperties(a, *event);
    if (const pugi::xml_node pattern = node.child("Pattern"))
        ReadPattern(pattern, *event, context);
    if (const pugi::xml_node schedule = node.child("Schedule"))
        ReadSchedule(schedule, *event, context.store);
    // Exceptions carry no schedule of their own in the document: they stay in their series'
    // schedule, as they were made.
    if (const CCalendarRecurrencePatternPtr pattern = event->GetRecurrencePattern()) {
        for (const CCalendarEventPtr& exception : pattern->GetExceptions())
            exception->SetScheduleId(event->GetScheduleId());
    }
    return event;
}

} // namespace

std::string CCalendarDataFormat::Write(const CCalendarData& store, const CEventIdList& idList) {
    return Write(store, idList.GetIds());
}

std::string CCalendarDataFormat::Write(const CCalendarData& store,
                                       const std::vector<uint32_t>& ids) {
    DataText out(ids.size());
    out.Open("Data");
    out.EndStartTag();
    out.Whitespace("\n\t");
    out.Open("Events");
    out.EndStartTag();
    out.Whitespace("\n\t\t");
    for (uint32_t eventId : ids) {
        const CCalendarEventPtr event = store.GetEvent(eventId);
        if (!event)
            continue;
        WriteEvent(out, store, *event);
        out.Whitespace("\n\t\t");
    }
    out.Close("Events");
    out.Close("Data");
    return out.Take();
}

void CCalendarDataFormat::Read(const pugi::xml_document& document, CCalendarData& store,
                               CEventIdList& idList) {
    idList.RemoveAll();
    store.RemoveAllEvents();
    store.RemoveAllSchedules();
    const bool appendOurselves = !idList.IsAttachedTo(store);
    store.ReserveEvents(CountEvents(document));
    ReadContext context(store);
    for (const pugi::xml_node& data : document.children("Data")) {
        for (const pugi::xml_node& events : data.children("Events")) {
            for (const pugi::xml_node& node : events.children("Event")) {
                const CCalendarEventPtr event = ReadEvent(node, context);
                if (store.AddEvent(event) && appendOurselves)
                    idList.Append(event->GetEventId());
            }
        }
    }
}

std::string CCalendarDataFormat::FormatDateTime(const CCalendarDateTime& value) {
    if (value.IsNull())
        return std::string();
    if (!value.IsValid())
        return kInvalidDateTime;
    char text[24];
    return std::string(text, PutDateTime(text, value, true));
}

std::string CCalendarDataFormat::FormatDate(const CCalendarDateTime& value) {
    if (value.IsNull())
        return std::string();
    if (!value.IsValid())
        return kInvalidDateTime;
    char text[24];
    return std::string(text, PutDateTime(text, value, false));
}

std::string CCalendarDataFormat::FormatTime(int minutesOfDay) {
    int minutes = minutesOfDay % 1440;
    if (minutes < 0)
        minutes += 1440;
    char text[5];
    PutDigits(text, minutes / 60, 2);
    text[2] = ':';
    PutDigits(text + 3, minutes % 60, 2);
    return std::string(text, 5);
}

CCalendarDateTime CCalendarDataFormat::ParseDateTime(std::string_view text) {
    if (text.empty())
        return CCalendarDateTime();
    // The writer's own form, digits where digits belong: each number is its digits.
    if (text.size() == 16) {
        const int month = TwoDigits(&text[0]);
        const int day = TwoDigits(&text[3]);
        const int century = TwoDigits(&text[6]);
        const int year = TwoDigits(&text[8]);
        const int hour = TwoDigits(&text[11]);
        const int minute = TwoDigits(&text[14]);
        if ((month | day | century | year | hour | minute) >= 0)
            return CCalendarDateTime(century * 100 + year, month, day, hour, minute, 0);
    }
    return CCalendarDateTime(ParseInteger(Mid(text, 6, 4)), ParseInteger(Mid(text, 0, 2)),
                             ParseInteger(Mid(text, 3, 2)), ParseInteger(Mid(text, 11, 2)),
                             ParseInteger(Mid(text, 14, 2)), 0);
}

CCalendarDateTime CCalendarDataFormat::ParseTime(std::string_view text) {
    if (text.empty())
        return CCalendarDateTime();
    return CCalendarDateTime(1900, 1, 1, ParseInteger(Mid(text, 0, 2)),
                             ParseInteger(Mid(text, 3, 2)), 0);
}

int CCalendarDataFormat::ParseInteger(std::string_view text) {
    size_t pos = 0;
    // The blanks of the C locale, which is the one the program runs in.
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulate as strtol does, saturating at the range of a 64-bit long.
    unsigned long long magnitude = 0;
    const unsigned long long limit = negative ? static_cast<unsigned long long>(LLONG_MAX) + 1
                                              : static_cast<unsigned long long>(LLONG_MAX);
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        const unsigned digit = static_cast<unsigned>(text[pos] - '0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    const unsigned long long value = negative ? 0ULL - magnitude : magnitude;
    return static_cast<int>(static_cast<unsigned>(value & 0xFFFFFFFFULL));
}

const char* CCalendarDataFormat::BusyStatusText(int status) {
    return status >= 0 && status <= 3 ? kBusyKeywords[status] : kUnknownBusy;
}

int CCalendarDataFormat::ParseBusyStatus(std::string_view text) {
    for (int status = 0; status <= 3; ++status) {
        if (text == kBusyKeywords[status])
            return status;
    }
    return kCalendarBusyUnknown;
}
