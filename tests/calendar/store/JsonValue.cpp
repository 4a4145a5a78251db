#include "tests/calendar/store/JsonValue.h"

#include <cstdlib>

namespace tevtest {

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : m_text(text) {}

    bool ParseDocument(JsonValue& value, std::string& error) {
        if (!ParseValue(value, 0) || (SkipBlanks(), m_pos != m_text.size())) {
            error = "not JSON at offset " + std::to_string(m_pos);
            return false;
        }
        return true;
    }

private:
    void SkipBlanks() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\n' ||
                                         m_text[m_pos] == '\r' || m_text[m_pos] == '\t'))
            ++m_pos;
    }

    bool Literal(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }

    bool ParseString(std::string& out) {
        if (m_pos >= m_text.size() || m_text[m_pos] != '"')
            return false;
        ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            char c = m_text[m_pos++];
            if (c == '\\') {
                if (m_pos >= m_text.size())
                    return false;
                const char escape = m_text[m_pos++];
                switch (escape) {
                case 'n':
                    c = '\n';
                    break;
                case 't':
                    c = '\t';
                    break;
                case 'r':
                    c = '\r';
                    break;
                case '"':
                case '\\':
                case '/':
                    c = escape;
                    break;
                default:
                    return false;
                }
            }
            out += c;
        }
        if (m_pos >= m_text.size())
            return false;
        ++m_pos;
        return true;
    }

    bool ParseValue(JsonValue& value, int depth) {
        if (depth > 64)
            return false;
        SkipBlanks();
        if (m_pos >= m_text.size())
            return false;
        const char c = m_text[m_pos];
        if (c == '{') {
            value.m_type = JsonValue::Type::Object;
            ++m_pos;
            SkipBlanks();
            if (m_pos < m_text.size() && m_text[m_pos] == '}')
                return ++m_pos, true;
            for (;;) {
                SkipBlanks();
                std::string name;
                if (!ParseString(name))
                    return false;
                SkipBlanks();
                if (!Literal(":"))
                    return false;
                if (!ParseValue(value.m_members[name], depth + 1))
                    return false;
                SkipBlanks();
                if (Literal("}"))
                    return true;
                if (!Literal(","))
                    return false;
            }
        }
        if (c == '[') {
            value.m_type = JsonValue::Type::Array;
            ++m_pos;
            SkipBlanks();
            if (m_pos < m_text.size() && m_text[m_pos] == ']')
                return ++m_pos, true;
            for (;;) {
                value.m_items.emplace_back();
                if (!ParseValue(value.m_items.back(), depth + 1))
                    return false;
                SkipBlanks();
                if (Literal("]"))
                    return true;
                if (!Literal(","))
                    return false;
            }
        }
        if (c == '"') {
            value.m_type = JsonValue::Type::String;
            return ParseString(value.m_string);
        }
        if (Literal("true") || Literal("false")) {
            value.m_type = JsonValue::Type::Bool;
            value.m_bool = m_text.substr(m_pos - 4, 4) == "true";
            return true;
        }
        if (Literal("null"))
            return true;
        const std::string rest(m_text.substr(m_pos, 40));
        char* end = nullptr;
        value.m_number = std::strtod(rest.c_str(), &end);
        if (end == rest.c_str())
            return false;
        value.m_type = JsonValue::Type::Number;
        m_pos += static_cast<size_t>(end - rest.c_str());
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

bool JsonValue::Parse(std::string_view text, JsonValue& value, std::string& error) {
    value = JsonValue();
    return JsonParser(text).ParseDocument(value, error);
}

const JsonValue& JsonValue::operator[](const std::string& name) const {
    static const JsonValue kNull;
    const auto found = m_members.find(name);
    return found == m_members.end() ? kNull : found->second;
}

} // namespace tevtest
