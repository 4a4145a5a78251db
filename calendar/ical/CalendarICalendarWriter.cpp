#include "calendar/ical/CalendarICalendar.h"

#include "calendar/ical/CalendarICalendarTimes.h"
#include "calendar/store/CalendarData.h"
#include "calendar/store/CalendarOccurrenceExpander.h"

#include <algorithm>
#include <cstdlib>

using namespace calendar_ical;

namespace {

const char kProductId[] = "-//Quorvane//Quorvane Web Calendar//EN";
const char kBusyProperty[] = "X-MICROSOFT-CDO-BUSYSTATUS";
const char* const kBusyValues[] = {"FREE", "TENTATIVE", "BUSY", "OOF"};

class EventWriter {
public:
    EventWriter(const CCalendarData& store, const LocalZone& zone, icalcomponent* calendar)
        : m_store(store), m_zone(zone), m_calendar(calendar),
          m_stamp(zone.ToUtc(store.GetCurrentTime())) {}

    void WritePlain(const CCalendarEvent& event);
    void WriteSeries(const CCalendarEvent& master);

private:
    icalcomponent* NewEvent(const CCalendarEvent& event, const std::string& uid);
    void AddTimes(icalcomponent* component, const CCalendarDateTime& start,
                  const CCalendarDateTime& end, bool allDay);
    void AddTime(icalcomponent* component, icalproperty* property, const CCalendarDateTime& time,
                 bool allDay);
    void AddRule(icalcomponent* component, const CCalendarRecurrencePattern& pattern,
                 const CCalendarOccurrenceExpander& expander, bool allDay);

    const CCalendarData& m_store;
    const LocalZone& m_zone;
    icalcomponent* m_calendar;
    icaltimetype m_stamp;
};

void AddText(icalcomponent* component, icalproperty* (*make)(const char*),
             const std::string& text) {
    if (!text.empty())
        icalcomponent_add_property(component, make(text.c_str()));
}

void AddBusyStatus(icalcomponent* component, int status) {
    if (status < kCalendarBusyFree || status > kCalendarBusyOutOfOffice)
        return;
    icalcomponent_add_property(component, icalproperty_new_transp(status == kCalendarBusyFree
                                                                      ? ICAL_TRANSP_TRANSPARENT
                                                                      : ICAL_TRANSP_OPAQUE));
    icalproperty* busy = icalproperty_new_x(kBusyValues[status]);
    icalproperty_set_x_name(busy, kBusyProperty);
    icalcomponent_add_property(component, busy);
}

void AddReminder(icalcomponent* component, const CCalendarEvent& event) {
    if (!event.IsReminder())
        return;
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-60 * event.GetReminderMinutesBeforeStart());
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    const std::string& subject = event.GetSubject();
    icalcomponent_add_property(
        alarm, icalproperty_new_description(subject.empty() ? "Reminder" : subject.c_str()));
    icalcomponent_add_component(component, alarm);
}

// All-day events end at midnight after their last day; an end inside a day counts that day.
CCalendarDateTime AllDayEnd(const CCalendarDateTime& start, const CCalendarDateTime& end) {
    CCalendarDateTime last = end.IsValid() ? end : start;
    if (last.GetSecondOfDay() != 0 || last.GetDate() <= start.GetDate())
        last = last.GetDate().AddDays(1);
    return last.GetDate() <= start.GetDate() ? start.GetDate().AddDays(1) : last.GetDate();
}

// The first occurrence on or after the range start, looked for in growing windows.
CCalendarDateTime FirstOccurrence(const CCalendarRecurrencePattern& pattern,
                                  const CCalendarOccurrenceExpander& expander) {
    const CCalendarDateTime from = pattern.GetPatternStartDate();
    const CCalendarDateTime last = expander.GetLastOccurrenceDate();
    for (int64_t days = 400; last.IsValid(); days *= 4) {
        CCalendarDateTime to = from.AddDays(days);
        if (!to.IsValid() || to > last)
            to = last;
        const std::vector<CCalendarDateTime> starts = expander.GetOccurrenceStarts(from, to);
        if (!starts.empty())
            return starts.front();
        if (to == last)
            break;
    }
    return CCalendarDateTime();
}

icalcomponent* EventWriter::NewEvent(const CCalendarEvent& event, const std::string& uid) {
    icalcomponent* component = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(component, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(component, icalproperty_new_dtstamp(m_stamp));
    AddText(component, icalproperty_new_summary, event.GetSubject());
    AddText(component, icalproperty_new_location, event.GetLocation());
    AddText(component, icalproperty_new_description, event.GetBody());
    AddBusyStatus(component, event.GetBusyStatus());
    if (event.IsPrivate())
        icalcomponent_add_property(component, icalproperty_new_class(ICAL_CLASS_PRIVATE));
    const CCalendarLabel* label = m_store.GetLabels().Find(event.GetLabelId());
    if (label && event.GetLabelId() != 0 && !label->m_name.empty())
        icalcomponent_add_property(component, icalproperty_new_categories(label->m_name.c_str()));
    AddReminder(component, event);
    icalcomponent_add_component(m_calendar, component);
    return component;
}

void EventWriter::AddTime(icalcomponent* component, icalproperty* property,
                          const CCalendarDateTime& time, bool allDay) {
    icaltimetype value = m_zone.ToIcal(time, allDay);
    if (!allDay && !m_zone.IsUtc()) {
        // Written as the local time with the zone's name, whose VTIMEZONE the file carries.
        value.zone = nullptr;
        icalproperty_add_parameter(property, icalparameter_new_tzid(m_zone.GetName().c_str()));
    }
    icalvalue* shown = allDay ? icalvalue_new_date(value) : icalvalue_new_datetime(value);
    icalproperty_set_value(property, shown);
    if (allDay)
        icalproperty_add_parameter(property, icalparameter_new_value(ICAL_VALUE_DATE));
    icalcomponent_add_property(component, property);
}

void EventWriter::AddTimes(icalcomponent* component, const CCalendarDateTime& start,
                           const CCalendarDateTime& end, bool allDay) {
    AddTime(component, icalproperty_new(ICAL_DTSTART_PROPERTY), start, allDay);
    if (allDay)
        AddTime(component, icalproperty_new(ICAL_DTEND_PROPERTY), AllDayEnd(start, end), true);
    else if (end.IsValid() && end > start)
        AddTime(component, icalproperty_new(ICAL_DTEND_PROPERTY), end, false);
}

void EventWriter::AddRule(icalcomponent* component, const CCalendarRecurrencePattern& pattern,
                          const CCalendarOccurrenceExpander& expander, bool allDay) {
    std::string rule = RuleTextOf(pattern.GetRecurrenceOptions(), m_store.GetFirstDayOfWeek());
    switch (pattern.GetUseEndMethod()) {
    case kCalendarPatternEndAfterOccurrences:
        rule += ";COUNT=" + std::to_string(pattern.GetEndAfterOccurrences());
        break;
    case kCalendarPatternEndDate: {
        // Occurrences starting on the last day still count: UNTIL is that day's start time.
        const CCalendarDateTime last =
            expander.GetLastOccurrenceDate().AddMinutes(pattern.GetStartTime());
        const icaltimetype until = allDay ? m_zone.ToIcal(last, true) : m_zone.ToUtc(last);
        rule += std::string(";UNTIL=") + icaltime_as_ical_string(until);
        break;
    }
    default:
        break;
    }
    icalcomponent_add_property(
        component, icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
}

void EventWriter::WritePlain(const CCalendarEvent& event) {
    if (!event.GetStartTime().IsValid())
        return;
    icalcomponent* component = NewEvent(event, event.GetUid());
    AddTimes(component, event.GetStartTime(), event.GetEndTime(), event.IsAllDayEvent());
}

void EventWriter::WriteSeries(const CCalendarEvent& master) {
    const CCalendarRecurrencePattern& pattern = *master.GetRecurrencePattern();
    const CCalendarOccurrenceExpander expander(pattern, m_store.GetFirstDayOfWeek());
    const CCalendarDateTime first = FirstOccurrence(pattern, expander);
    if (!first.IsValid())
        return; // a series that shows nothing
    const bool allDay = master.IsAllDayEvent();
    const int duration = std::max(0, pattern.GetDurationMinutes());
    icalcomponent* component = NewEvent(master, master.GetUid());
    AddTimes(component, first, first.AddMinutes(duration), allDay);
    AddRule(component, pattern, expander, allDay);

    for (const CCalendarEventPtr& exception : expander.GetEffectiveExceptions()) {
        const CCalendarDateTime& original = exception->GetRExceptionStartTimeOrig();
        if (exception->IsRExceptionDeleted()) {
            AddTime(component, icalproperty_new(ICAL_EXDATE_PROPERTY), original, allDay);
            continue;
        }
        icalcomponent* changed = NewEvent(*exception, master.GetUid());
        AddTime(changed, icalproperty_new(ICAL_RECURRENCEID_PROPERTY), original, allDay);
        AddTimes(changed, exception->GetStartTime(), exception->GetEndTime(),
                 exception->IsAllDayEvent());
    }
}

} // namespace

CCalendarICalendarWriter::CCalendarICalendarWriter(std::string zoneName)
    : m_zoneName(std::move(zoneName)) {}

std::string CCalendarICalendarWriter::Write(const CCalendarData& store,
                                            const std::vector<uint32_t>& ids) const {
    const LocalZone zone(m_zoneName);
    ComponentPtr calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(kProductId));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
    if (!zone.IsUtc()) {
        icalcomponent* timezone =
            icalcomponent_new_clone(icaltimezone_get_component(zone.GetZone()));
        icalproperty* tzid = icalcomponent_get_first_property(timezone, ICAL_TZID_PROPERTY);
        if (tzid)
            icalproperty_set_tzid(tzid, zone.GetName().c_str());
        icalcomponent_add_component(calendar.get(), timezone);
    }
    EventWriter writer(store, zone, calendar.get());
    for (uint32_t id : ids) {
        const CCalendarEventPtr event = store.GetEvent(id);
        if (!event)
            continue;
        if (event->GetRecurrenceState() == kCalendarRecurrenceMaster &&
            event->GetRecurrencePattern())
            writer.WriteSeries(*event);
        else
            writer.WritePlain(*event);
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string result = text ? text : "";
    std::free(text);
    return result;
}
