#include "platform/web/ExternalCall.h"

#include "platform/text/TextConvert.h"
#include "platform/text/TextEscaping.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace tev {

bool DispatchTable::IsScriptIdentifier(std::string_view name) {
    if (name.empty())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

bool DispatchTable::Add(const std::string& name, ExternalMethod method) {
    if (!IsScriptIdentifier(name) || !method)
        return false;
    m_methods[name] = std::move(method);
    return true;
}

bool DispatchTable::Invoke(const std::string& name, const ExternalArgs& args) const {
    auto it = m_methods.find(name);
    if (it == m_methods.end())
        return false;
    it->second(args);
    return true;
}

std::vector<std::string> DispatchTable::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : m_methods)
        names.push_back(entry.first);
    return names;
}

namespace {

// A small JSON reader for the messages page script posts; it never trusts the text.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : m_text(text) {}

    enum class Kind { String, Number, True, False, Null, Array, Object };
    struct Value {
        Kind kind = Kind::Null;
        std::string text; // strings: the value; arrays and objects: their JSON text
        double number = 0;
    };

    bool ReadValue(Value& value, int depth) {
        SkipBlanks();
        if (depth > kMaxDepth || m_pos >= m_text.size())
            return false;
        const char c = m_text[m_pos];
        if (c == '"') {
            value.kind = Kind::String;
            return ReadString(value.text);
        }
        if (c == '[' || c == '{') {
            const size_t start = m_pos;
            value.kind = c == '[' ? Kind::Array : Kind::Object;
            if (!SkipContainer(depth))
                return false;
            value.text = std::string(m_text.substr(start, m_pos - start));
            return true;
        }
        if (ReadWord("true")) {
            value.kind = Kind::True;
            return true;
        }
        if (ReadWord("false")) {
            value.kind = Kind::False;
            return true;
        }
        if (ReadWord("null")) {
            value.kind = Kind::Null;
            return true;
        }
        value.kind = Kind::Number;
        return ReadNumber(value.number);
    }

    bool ReadCall(ExternalCall& call) {
        SkipBlanks();
        if (!Consume('{'))
            return false;
        bool haveMethod = false;
        SkipBlanks();
        if (Consume('}'))
            return false;
        for (;;) {
            std::string key;
            if (!ReadKey(key))
                return false;
            SkipBlanks();
            if (key == "method") {
                if (m_pos >= m_text.size() || m_text[m_pos] != '"' || !ReadString(call.method))
                    return false;
                haveMethod = true;
            } else if (key == "args") {
                if (!ReadArgs(call.args))
                    return false;
            } else {
                Value ignored;
                if (!ReadValue(ignored, 1))
                    return false;
            }
            SkipBlanks();
            if (Consume('}'))
                break;
            if (!Consume(','))
                return false;
        }
        SkipBlanks();
        return haveMethod && m_pos == m_text.size();
    }

private:
    static constexpr int kMaxDepth = 32;

    bool ReadArgs(ExternalArgs& args) {
        args.clear();
        if (!Consume('['))
            return false;
        SkipBlanks();
        if (Consume(']'))
            return true;
        for (;;) {
            Value value;
            if (!ReadValue(value, 2))
                return false;
            args.push_back(ToVariant(value));
            SkipBlanks();
            if (Consume(']'))
                return true;
            if (!Consume(','))
                return false;
        }
    }

    static CComVariant ToVariant(const Value& value) {
        switch (value.kind) {
        case Kind::String:
        case Kind::Array:
        case Kind::Object:
            return CComVariant(std::string_view(value.text));
        case Kind::True:
            return CComVariant(true);
        case Kind::False:
            return CComVariant(false);
        case Kind::Number:
            if (std::floor(value.number) == value.number &&
                value.number >= std::numeric_limits<int32_t>::min() &&
                value.number <= std::numeric_limits<int32_t>::max())
                return CComVariant(static_cast<int32_t>(value.number));
            {
                CComVariant number;
                number.vt = VT_R8;
                number.dblVal = value.number;
                return number;
            }
        case Kind::Null:
            break;
        }
        CComVariant null;
        null.vt = VT_NULL;
        return null;
    }

    void SkipBlanks() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }

    bool Consume(char c) {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool ReadWord(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }

    bool ReadNumber(double& number) {
        const size_t start = m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '-')
            ++m_pos;
        bool digits = false;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos];
            if ((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' ||
                c == '-') {
                digits = digits || (c >= '0' && c <= '9');
                ++m_pos;
            } else {
                break;
            }
        }
        if (!digits)
            return false;
        const std::string piece(m_text.substr(start, m_pos - start));
        char* end = nullptr;
        number = std::strtod(piece.c_str(), &end);
        return end && *end == '\0' && std::isfinite(number);
    }

    // Reads an object member's key and the colon after it, with the blanks before each.
    bool ReadKey(std::string& key) {
        SkipBlanks();
        if (!ReadString(key))
            return false;
        SkipBlanks();
        return Consume(':');
    }

    // Reads a JSON string; escapes are gathered as UTF-16 so that surrogate pairs join and
    // lone surrogates become '#', like every other UTF-16 text of the program.
    bool ReadString(std::string& out) {
        out.clear();
        if (!Consume('"'))
            return false;
        std::u16string pending;
        auto flush = [&] {
            if (!pending.empty()) {
                out += Utf16ToUtf8(pending, '#');
                pending.clear();
            }
        };
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"') {
                flush();
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                flush();
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                return false;
            const char e = m_text[m_pos++];
            char plain = 0;
            switch (e) {
            case '"':
                plain = '"';
                break;
            case '\\':
                plain = '\\';
                break;
            case '/':
                plain = '/';
                break;
            case 'b':
                plain = '\b';
                break;
            case 'f':
                plain = '\f';
                break;
            case 'n':
                plain = '\n';
                break;
            case 'r':
                plain = '\r';
                break;
            case 't':
                plain = '\t';
                break;
            case 'u': {
                if (m_pos + 4 > m_text.size())
                    return false;
                int unit = 0;
                for (int i = 0; i < 4; ++i) {
                    const int h = HexDigitValue(m_text[m_pos++]);
                    if (h < 0)
                        return false;
                    unit = unit * 16 + h;
                }
                pending += static_cast<char16_t>(unit);
                continue;
            }
            default:
                return false;
            }
            flush();
            out += plain;
        }
        return false;
    }

    bool SkipContainer(int depth) {
        const char close = m_text[m_pos] == '[' ? ']' : '}';
        const bool object = close == '}';
        ++m_pos;
        SkipBlanks();
        if (Consume(close))
            return true;
        for (;;) {
            std::string key;
            if (object && !ReadKey(key))
                return false;
            Value inner;
            if (!ReadValue(inner, depth + 1))
                return false;
            SkipBlanks();
            if (Consume(close))
                return true;
            if (!Consume(','))
                return false;
        }
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

} // namespace

bool ParseExternalCall(std::string_view json, ExternalCall& call) {
    ExternalCall parsed;
    JsonReader reader(json);
    if (!reader.ReadCall(parsed))
        return false;
    call = std::move(parsed);
    return true;
}

std::string ExternalObjectScript(const std::vector<std::string>& names,
                                 const std::string& handlerName) {
    std::string list;
    for (const std::string& name : names) {
        if (!DispatchTable::IsScriptIdentifier(name))
            continue;
        if (!list.empty())
            list += ",";
        list += "\"" + name + "\"";
    }
    const std::string handler =
        DispatchTable::IsScriptIdentifier(handlerName) ? handlerName : "tevExternal";
    return "(function(){\n"
           "var names=[" +
           list +
           "];\n"
           "var external={};\n"
           "names.forEach(function(name){\n"
           "  external[name]=function(){\n"
           "    var "
           "h=window.webkit&&window.webkit.messageHandlers&&window.webkit.messageHandlers." +
           handler +
           ";\n"
           "    if(h){h.postMessage(JSON.stringify({method:name,"
           "args:Array.prototype.slice.call(arguments)}));}\n"
           "  };\n"
           "});\n"
           "try{Object.defineProperty(window,'external',{value:external,configurable:true,"
           "writable:true});}catch(e){window.external=external;}\n"
           "})();\n";
}

} // namespace tev
