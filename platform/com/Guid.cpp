#include "platform/com/ComTypes.h"

#include <cctype>
#include <cstdio>
#include <cstring>

bool GUID::operator==(const GUID& other) const {
    return Data1 == other.Data1 && Data2 == other.Data2 && Data3 == other.Data3 &&
           std::memcmp(Data4, other.Data4, sizeof Data4) == 0;
}

std::string GuidToString(const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  g.Data1, g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3],
                  g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

bool GuidFromString(std::string_view text, GUID& guid) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return false;
    std::string hex;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash != (text[i] == '-'))
            return false;
        if (!dash) {
            if (!std::isxdigit(static_cast<unsigned char>(text[i])))
                return false;
            hex += text[i];
        }
    }
    const auto number = [&](size_t pos, size_t len) {
        return static_cast<uint32_t>(std::stoul(hex.substr(pos, len), nullptr, 16));
    };
    guid.Data1 = number(0, 8);
    guid.Data2 = static_cast<uint16_t>(number(8, 4));
    guid.Data3 = static_cast<uint16_t>(number(12, 4));
    for (size_t i = 0; i < 8; ++i)
        guid.Data4[i] = static_cast<uint8_t>(number(16 + 2 * i, 2));
    return true;
}
