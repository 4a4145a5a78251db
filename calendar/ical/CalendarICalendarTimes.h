#pragma once
// What the iCalendar writer and reader share: libical objects held by RAII, the store's local
// times as libical times and back, and the zone the store's times are local to.
#include "calendar/store/CalendarDateTime.h"
#include "calendar/store/CalendarRecurrenceOptions.h"

#include <libical/ical.h>

#include <memory>
#include <optional>
#include <string>

class CCalendarRecurrencePattern;

namespace calendar_ical {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentFree>;

// The zone the store's times are local to: a libical zone, or UTC.
class LocalZone {
public:
    explicit LocalZone(const std::string& name);

    bool IsUtc() const { return m_utc; }
    const std::string& GetName() const { return m_name; }
    icaltimezone* GetZone() const { return m_zone; }

    // A store time as a libical time in this zone (a DATE with `date`).
    icaltimetype ToIcal(const CCalendarDateTime& time, bool date) const;
    // The same instant in UTC.
    icaltimetype ToUtc(const CCalendarDateTime& time) const;
    // A libical time as store time: zoned and UTC times converted to this zone, floating
    // times and dates as they are. Invalid when the fields are no date.
    CCalendarDateTime FromIcal(icaltimetype time) const;

private:
    std::string m_name;
    bool m_utc = true;
    icaltimezone* m_zone = nullptr;
};

// libical's day numbers are 1 = Sunday ... 7 = Saturday, as the store's.
inline int MaskBitOf(icalrecurrencetype_weekday day) {
    return CalendarDayOfWeekBit(static_cast<int>(day));
}

// The rule the store's record stands for (FREQ, INTERVAL and the BY parts; no end).
// `firstDayOfWeek` gives WKST.
std::string RuleTextOf(const CCalendarRecurrenceOptions& options, int firstDayOfWeek);

// The store's record that yields the same dates as `rule` starting at `start`, as far as
// the record can say; nothing when the rule has parts the store has no counterpart for.
// Whether the dates really agree is for the caller to check.
std::optional<CCalendarRecurrenceOptions> OptionsOf(const icalrecurrencetype& rule,
                                                    const CCalendarDateTime& start);

} // namespace calendar_ical
