#include "calendar/store/CalendarDataFormat.h"

#include "calendar/store/CalendarData.h"
#include "calendar/store/EventIdList.h"
#include "platform/xml/XmlDom.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

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

// The characters the class library's Mid(start, count) gives: fewer at the end of the text.
std::string_view Mid(std::string_view text, size_t start, size_t count) {
    return start >= text.size() ? std::string_view() : text.substr(start, count);
}

void SetText(pugi::xml_node node, const char* name, const char* value) {
    node.append_attribute(name).set_value(value);
}

void SetText(pugi::xml_node node, const char* name, const std::string& value) {
    node.append_attribute(name).set_value(value.c_str());
}

void SetNumber(pugi::xml_node node, const char* name, long long value) {
    char text[24];
    char* end = text + sizeof text;
    char* p = end;
    *--p = '\0';
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        *--p = '-';
    node.append_attribute(name).set_value(p);
}

void SetDateTime(pugi::xml_node node, const char* name, const CCalendarDateTime& value,
                 bool withTime = true) {
    if (value.IsNull()) {
        SetText(node, name, "");
    } else if (!value.IsValid()) {
        SetText(node, name, kInvalidDateTime);
    } else {
        char text[24];
        text[PutDateTime(text, value, withTime)] = '\0';
        SetText(node, name, text);
    }
}

// The eleven properties from StartTime to BusyStatus, shared by events and exceptions.
void WriteProperties(pugi::xml_node node, const CCalendarEvent& event,
                     const CCalendarLabels& labels) {
    SetDateTime(node, "StartTime", event.GetStartTime());
    SetDateTime(node, "EndTime", event.GetEndTime());
    SetText(node, "Subject", event.GetSubject());
    SetDateTime(node, "CreationTime", event.GetCreationTime());
    SetDateTime(node, "LastModificationTime", event.GetLastModificationTime());
    SetText(node, "Location", event.GetLocation());
    SetNumber(node, "IsMeeting", event.IsMeeting() ? 1 : 0);
    SetNumber(node, "AllDayEvent", event.IsAllDayEvent() ? 1 : 0);
    const CCalendarLabel* label = labels.Find(event.GetLabelId());
    SetText(node, "Type", label ? label->m_name.c_str() : "");
    SetText(node, "Body", event.GetBody());
    SetText(node, "BusyStatus", CCalendarDataFormat::BusyStatusText(event.GetBusyStatus()));
}

// Properties the format came to carry later, written only when set, so that documents of
// events without them stay as they were.
void WriteLaterProperties(pugi::xml_node node, const CCalendarEvent& event) {
    if (event.IsPrivate())
        SetNumber(node, "Private", 1);
    if (event.IsReminder())
        SetNumber(node, "ReminderMinutes", event.GetReminderMinutesBeforeStart());
}

void ReadLaterProperties(const pugi::xml_node& node, CCalendarEvent& event) {
    event.SetPrivate(CCalendarDataFormat::ParseInteger(node.attribute("Private").value()) != 0);
    const pugi::xml_attribute reminder = node.attribute("ReminderMinutes");
    event.SetReminder(static_cast<bool>(reminder));
    if (reminder)
        event.SetReminderMinutesBeforeStart(CCalendarDataFormat::ParseInteger(reminder.value()));
}

void WritePattern(pugi::xml_node eventNode, const CCalendarRecurrencePattern& pattern,
                  const CCalendarLabels& labels) {
    pugi::xml_node node = eventNode.append_child("Pattern");
    const CCalendarRecurrenceOptions& options = pattern.GetRecurrenceOptions();
    SetText(node, "StartTime", CCalendarDataFormat::FormatTime(pattern.GetStartTime()));
    SetText(node, "EndTime",
            CCalendarDataFormat::FormatTime(static_cast<int>(
                (pattern.GetStartTime() + static_cast<long long>(pattern.GetDurationMinutes())) %
                1440)));
    SetNumber(node, "DurationMinutes", pattern.GetDurationMinutes());
    SetNumber(node, "RecurrenceType", options.m_type);
    SetNumber(node, "RecurrenceOpt_Data1", options.m_data1);
    SetNumber(node, "RecurrenceOpt_Data2", options.m_data2);
    SetNumber(node, "RecurrenceOpt_Data3", options.m_data3);
    SetDateTime(node, "PatternStartDate", pattern.GetPatternStartDate(), false);
    SetDateTime(node, "PatternEndDate", pattern.GetPatternEndDate(), false);
    SetNumber(node, "UseEndMethod", pattern.GetUseEndMethod());
    if (pattern.GetUseEndMethod() == kCalendarPatternEndAfterOccurrences)
        SetNumber(node, "EndAfterOccurrences", pattern.GetEndAfterOccurrences());
    for (const CCalendarEventPtr& exception : pattern.GetExceptions()) {
        pugi::xml_node exceptionNode = node.append_child("Exception");
        SetNumber(exceptionNode, "EventID", exception->GetEventId());
        SetNumber(exceptionNode, "RecurrencePatternID", pattern.GetPatternId());
        WriteProperties(exceptionNode, *exception, labels);
        SetDateTime(exceptionNode, "RException_StartTimeOrig",
                    exception->GetRExceptionStartTimeOrig());
        SetDateTime(exceptionNode, "RException_EndTimeOrig", exception->GetRExceptionEndTimeOrig());
        SetNumber(exceptionNode, "RException_Deleted", exception->IsRExceptionDeleted() ? 1 : 0);
    }
}

void WriteSchedule(pugi::xml_node eventNode, const CCalendarSchedule& schedule) {
    pugi::xml_node node = eventNode.append_child("Schedule");
    SetText(node, "Name", schedule.GetName());
    std::string value;
    for (const char* name : kScheduleProperties) {
        if (schedule.GetCustomProperties().GetProperty(name, value))
            SetText(node, name, value);
    }
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
                if (std::strcmp(names[i], name) == 0) {
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

// Steps shared by events and exceptions: StartTime to BusyStatus.
void ReadProperties(const EventAttributes& a, CCalendarEvent& event,
                    const CCalendarLabels& labels) {
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
    const std::string_view type = a[kType];
    for (const CCalendarLabel& label : labels.GetLabels()) {
        if (label.m_name == type)
            event.SetLabelId(label.m_labelId);
    }
    event.SetBody(std::string(a[kBody]));
    event.SetBusyStatus(CCalendarDataFormat::ParseBusyStatus(a[kBusyStatus]));
}

void ReadPattern(const pugi::xml_node& node, CCalendarEvent& master, CCalendarData& store,
                 const CCalendarDateTime& now) {
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
            store.CreateNewEvent(static_cast<uint32_t>(e.Integer(kEventID)), now);
        ReadProperties(e, *exception, store.GetLabels());
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

} // namespace

std::string CCalendarDataFormat::Write(const CCalendarData& store, const CEventIdList& idList) {
    return Write(store, idList.GetIds());
}

std::string CCalendarDataFormat::Write(const CCalendarData& store,
                                       const std::vector<uint32_t>& ids) {
    pugi::xml_document document;
    pugi::xml_node data = document.append_child("Data");
    data.append_child(pugi::node_pcdata).set_value("\n\t");
    pugi::xml_node events = data.append_child("Events");
    events.append_child(pugi::node_pcdata).set_value("\n\t\t");
    const CCalendarLabels& labels = store.GetLabels();
    for (uint32_t eventId : ids) {
        const CCalendarEventPtr event = store.GetEvent(eventId);
        if (!event)
            continue;
        pugi::xml_node node = events.append_child("Event");
        SetNumber(node, "EventID", event->GetEventId());
        WriteProperties(node, *event, labels);
        SetText(node, "UID", event->GetUid());
        WriteLaterProperties(node, *event);
        if (event->GetRecurrenceState() == kCalendarRecurrenceMaster &&
            event->GetRecurrencePattern())
            WritePattern(node, *event->GetRecurrencePattern(), labels);
        const int scheduleIndex = store.FindScheduleIndex(event->GetScheduleId());
        if (scheduleIndex >= 0)
            WriteSchedule(node, store.GetScheduleAt(static_cast<size_t>(scheduleIndex)));
        events.append_child(pugi::node_pcdata).set_value("\n\t\t");
    }
    return tev::XmlOf(document);
}

void CCalendarDataFormat::Read(const pugi::xml_document& document, CCalendarData& store,
                               CEventIdList& idList) {
    idList.RemoveAll();
    store.RemoveAllEvents();
    store.RemoveAllSchedules();
    const bool appendOurselves = !idList.IsAttachedTo(store);
    const CCalendarDateTime now = store.GetCurrentTime();
    for (const pugi::xml_node& data : document.children("Data")) {
        for (const pugi::xml_node& events : data.children("Events")) {
            for (const pugi::xml_node& node : events.children("Event")) {
                const EventAttributes a(node, kEventAttributes);
                const CCalendarEventPtr event = store.CreateNewEvent(0, now);
                event->SetEventId(static_cast<uint32_t>(a.Integer(kEventID)));
                ReadProperties(a, *event, store.GetLabels());
                event->SetUid(node.attribute("UID").value());
                ReadLaterProperties(node, *event);
                if (const pugi::xml_node pattern = node.child("Pattern"))
                    ReadPattern(pattern, *event, store, now);
                if (const pugi::xml_node schedule = node.child("Schedule"))
                    ReadSchedule(schedule, *event, store);
                // Exceptions carry no schedule of their own in the document: they stay in
                // their series' schedule, as they were made.
                if (const CCalendarRecurrencePatternPtr pattern = event->GetRecurrencePattern()) {
                    for (const CCalendarEventPtr& exception : pattern->GetExceptions())
                        exception->SetScheduleId(event->GetScheduleId());
                }
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
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
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
