#include "platform/com/Bstr.h"

#include "platform/text/TextConvert.h"

#include <cstdlib>
#include <cstring>
#include <memory>

// Layout as a Windows BSTR: a 32-bit byte count, then the units and a zero unit.
BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length) {
    // The prefix counts bytes in 32 bits; a longer text would wrap it.
    if (length > UINT32_MAX / sizeof(OLECHAR))
        return nullptr;
    auto* block =
        static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) + (length + 1) * sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    block[0] = length * sizeof(OLECHAR);
    auto* units = reinterpret_cast<OLECHAR*>(block + 1);
    if (text)
        std::memcpy(units, text, length * sizeof(OLECHAR));
    else
        std::memset(units, 0, length * sizeof(OLECHAR));
    units[length] = 0;
    return units;
}

BSTR SysAllocString(const OLECHAR* text) {
    if (!text)
        return nullptr;
    uint32_t length = 0;
    while (text[length])
        ++length;
    return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text) {
    if (text)
        std::free(reinterpret_cast<uint32_t*>(text) - 1);
}

uint32_t SysStringLen(BSTR text) {
    return text ? reinterpret_cast<uint32_t*>(text)[-1] / sizeof(OLECHAR) : 0;
}

BSTR SysAllocStringByteLen(const char* bytes, uint32_t length) {
    auto* block = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) + length + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    block[0] = length;
    auto* data = reinterpret_cast<char*>(block + 1);
    if (bytes)
        std::memcpy(data, bytes, length);
    else
        std::memset(data, 0, length);
    std::memset(data + length, 0, sizeof(OLECHAR));
    return reinterpret_cast<BSTR>(data);
}

uint32_t SysStringByteLen(BSTR text) {
    return text ? reinterpret_cast<uint32_t*>(text)[-1] : 0;
}

namespace tev {

BSTR AllocBstr(std::string_view text) {
    const std::u16string wide = Utf8ToUtf16(text);
    return SysAllocStringLen(wide.data(), static_cast<uint32_t>(wide.size()));
}

std::string BstrToUtf8(BSTR text) {
    if (!text)
        return {};
    return Utf16ToUtf8(std::u16string_view(text, SysStringLen(text)));
}

} // namespace tev

CComBSTR::CComBSTR(const CComBSTR& other) : m_str(other.Copy()) {}

CComBSTR& CComBSTR::operator=(const CComBSTR& other) {
    if (this != std::addressof(other))
        Attach(other.Copy());
    return *this;
}

CComBSTR& CComBSTR::operator=(CComBSTR&& other) noexcept {
    if (this != std::addressof(other))
        Attach(other.Detach());
    return *this;
}
