#include "calendar/store/CalendarCustomProperties.h"

#include <algorithm>

bool CCalendarCustomProperties::HasProperty(const std::string& name) const {
    return std::any_of(m_values.begin(), m_values.end(),
                       [&](const auto& entry) { return entry.first == name; });
}

bool CCalendarCustomProperties::GetProperty(const std::string& name, std::string& value) const {
    for (const auto& entry : m_values) {
        if (entry.first == name) {
            value = entry.second;
            return true;
        }
    }
    return false;
}

void CCalendarCustomProperties::SetProperty(const std::string& name, const std::string& value) {
    for (auto& entry : m_values) {
        if (entry.first == name) {
            entry.second = value;
            return;
        }
    }
    m_values.emplace_back(name, value);
}

bool CCalendarCustomProperties::RemoveProperty(const std::string& name) {
    const auto found = std::find_if(m_values.begin(), m_values.end(),
                                    [&](const auto& entry) { return entry.first == name; });
    if (found == m_values.end())
        return false;
    m_values.erase(found);
    return true;
}
