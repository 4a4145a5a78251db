#pragma once
// A bag of named string values (a schedule's "Phone", "Email", "Company", "Location"),
// kept in the order the names were first set. Names compare exactly.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class CCalendarCustomProperties {
public:
    bool HasProperty(const std::string& name) const;
    // False (and `value` untouched) when the bag has no such property.
    bool GetProperty(const std::string& name, std::string& value) const;
    void SetProperty(const std::string& name, const std::string& value);
    bool RemoveProperty(const std::string& name);
    void RemoveAll() { m_values.clear(); }
    size_t GetCount() const { return m_values.size(); }
    const std::vector<std::pair<std::string, std::string>>& GetAll() const { return m_values; }

    friend bool operator==(const CCalendarCustomProperties& a, const CCalendarCustomProperties& b) {
        return a.m_values == b.m_values;
    }

private:
    std::vector<std::pair<std::string, std::string>> m_values;
};
