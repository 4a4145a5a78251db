#pragma once
// A small JSON reader for the shared test vectors: objects, arrays, strings (with the
// common escapes), numbers, true, false and null.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tevtest {

class JsonValue {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };

    // Parses a whole text; false (with `error` set) when it is not JSON.
    static bool Parse(std::string_view text, JsonValue& value, std::string& error);

    Type type() const { return m_type; }
    bool IsNull() const { return m_type == Type::Null; }
    bool AsBool() const { return m_bool; }
    double AsNumber() const { return m_number; }
    int AsInt() const { return static_cast<int>(m_number); }
    const std::string& AsString() const { return m_string; }
    const std::vector<JsonValue>& Items() const { return m_items; }
    // The member of an object; a null value when there is none.
    const JsonValue& operator[](const std::string& name) const;
    bool Has(const std::string& name) const { return m_members.count(name) != 0; }

private:
    friend class JsonParser;
    Type m_type = Type::Null;
    bool m_bool = false;
    double m_number = 0;
    std::string m_string;
    std::vector<JsonValue> m_items;
    std::map<std::string, JsonValue> m_members;
};

} // namespace tevtest
