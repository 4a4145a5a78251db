#pragma once
// A schedule: a named resource (a person, a room) that events belong to, with its custom
// properties. Events refer to a schedule by its identifier.
#include "calendar/store/CalendarCustomProperties.h"

#include <string>

class CCalendarSchedule {
public:
    CCalendarSchedule(int scheduleId, const std::string& name)
        : m_scheduleId(scheduleId), m_name(name) {}

    int GetId() const { return m_scheduleId; }
    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    CCalendarCustomProperties& GetCustomProperties() { return m_properties; }
    const CCalendarCustomProperties& GetCustomProperties() const { return m_properties; }

private:
    int m_scheduleId;
    std::string m_name;
    CCalendarCustomProperties m_properties;
};
