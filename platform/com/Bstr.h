#pragma once
// BSTR: a length-prefixed UTF-16 string from the system allocator. Whoever receives one
// from a call frees it with SysFreeString; a NULL BSTR reads as an empty string.
#include "platform/com/ComTypes.h"

#include <string>
#include <string_view>

BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length);
void SysFreeString(BSTR text);
uint32_t SysStringLen(BSTR text);
// A BSTR used as a byte buffer: `length` bytes (copied from `bytes`, zeroed when it is NULL),
// followed by a zero unit. The length may be odd; SysStringByteLen gives it back.
BSTR SysAllocStringByteLen(const char* bytes, uint32_t length);
uint32_t SysStringByteLen(BSTR text);

namespace tev {
// Narrow (UTF-8) text to a new BSTR; an empty text gives an empty BSTR, never NULL.
// NULL only when memory runs out.
BSTR AllocBstr(std::string_view text);
// A BSTR's text as UTF-8; NULL reads as "".
std::string BstrToUtf8(BSTR text);
} // namespace tev

// Owns one BSTR.
class CComBSTR {
public:
    CComBSTR() = default;
    explicit CComBSTR(std::string_view text) : m_str(tev::AllocBstr(text)) {}
    CComBSTR(const CComBSTR& other);
    CComBSTR& operator=(const CComBSTR& other);
    CComBSTR(CComBSTR&& other) noexcept : m_str(other.Detach()) {}
    CComBSTR& operator=(CComBSTR&& other) noexcept;
    ~CComBSTR() { SysFreeString(m_str); }

    operator BSTR() const { return m_str; }
    BSTR* operator&() { return &m_str; }
    BSTR Detach() {
        BSTR s = m_str;
        m_str = nullptr;
        return s;
    }
    void Attach(BSTR s) {
        SysFreeString(m_str);
        m_str = s;
    }
    BSTR Copy() const { return m_str ? SysAllocStringLen(m_str, SysStringLen(m_str)) : nullptr; }
    uint32_t Length() const { return SysStringLen(m_str); }
    std::string ToUtf8() const { return tev::BstrToUtf8(m_str); }

    BSTR m_str = nullptr;
};
