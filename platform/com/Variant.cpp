#include "platform/com/Variant.h"

#include "platform/text/StringUtil.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

bool ParseInteger(const std::string& text, int64_t& out) {
    const std::string trimmed = tev::Trimmed(text);
    if (trimmed.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(trimmed.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') {
        // Decimal fractions round like the platform's conversion does.
        errno = 0;
        const double d = std::strtod(trimmed.c_str(), &end);
        if (errno != 0 || *end != '\0' || !std::isfinite(d))
            return false;
        out = static_cast<int64_t>(std::llround(d));
        return true;
    }
    out = value;
    return true;
}

bool ToInt64(const VARIANT& v, int64_t& out) {
    switch (v.vt) {
    case VT_EMPTY: out = 0; return true;
    case VT_I2: out = v.iVal; return true;
    case VT_I4: out = v.lVal; return true;
    case VT_UI4: out = v.ulVal; return true;
    case VT_BOOL: out = v.boolVal ? -1 : 0; return true;
    case VT_R8:
        if (!std::isfinite(v.dblVal))
            return false;
        out = static_cast<int64_t>(std::llround(v.dblVal));
        return true;
    case VT_BSTR: {
        const std::string text = tev::BstrToUtf8(v.bstrVal);
        if (tev::EqualsNoCase(tev::Trimmed(text), "true")) {
            out = -1;
            return true;
        }
        if (tev::EqualsNoCase(tev::Trimmed(text), "false")) {
            out = 0;
            return true;
        }
        return ParseInteger(text, out);
    }
    default: return false;
    }
}

std::string ToText(const VARIANT& v) {
    switch (v.vt) {
    case VT_I2: return std::to_string(v.iVal);
    case VT_I4: return std::to_string(v.lVal);
    case VT_UI4: return std::to_string(v.ulVal);
    case VT_BOOL: return v.boolVal ? "True" : "False";
    case VT_R8: return tev::Format("%g", v.dblVal);
    case VT_BSTR: return tev::BstrToUtf8(v.bstrVal);
    default: return {};
    }
}

} // namespace

void VariantInit(VARIANT* v) {
    v->vt = VT_EMPTY;
    v->dblVal = 0;
}

HRESULT VariantClear(VARIANT* v) {
    if (!v)
        return E_POINTER;
    if (v->vt == VT_BSTR)
        SysFreeString(v->bstrVal);
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* source) {
    if (!dest || !source)
        return E_POINTER;
    if (dest == source)
        return S_OK;
    VARIANT copy = *source;
    if (source->vt == VT_BSTR && source->bstrVal) {
        copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (!copy.bstrVal)
            return E_OUTOFMEMORY;
    }
    VariantClear(dest);
    *dest = copy;
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, uint16_t, VARTYPE type) {
    if (!dest || !source)
        return E_POINTER;
    VARIANT result;
    int64_t number = 0;
    switch (type) {
    case VT_EMPTY: break;
    case VT_I2:
    case VT_I4:
    case VT_UI4:
        if (!ToInt64(*source, number))
            return DISP_E_TYPEMISMATCH;
        if (type == VT_I2 && (number < SHRT_MIN || number > SHRT_MAX))
            return DISP_E_OVERFLOW;
        if (type == VT_I4 && (number < INT32_MIN || number > INT32_MAX))
            return DISP_E_OVERFLOW;
        if (type == VT_UI4 && (number < 0 || number > UINT32_MAX))
            return DISP_E_OVERFLOW;
        result.vt = type;
        if (type == VT_I2)
            result.iVal = static_cast<int16_t>(number);
        else if (type == VT_I4)
            result.lVal = static_cast<int32_t>(number);
        else
            result.ulVal = static_cast<uint32_t>(number);
        break;
    case VT_BOOL:
        if (!ToInt64(*source, number))
            return DISP_E_TYPEMISMATCH;
        result.vt = VT_BOOL;
        result.boolVal = number ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_BSTR:
        result.vt = VT_BSTR;
        result.bstrVal = tev::AllocBstr(ToText(*source));
        if (!result.bstrVal)
            return E_OUTOFMEMORY;
        break;
    default:
        if (type != source->vt)
            return DISP_E_TYPEMISMATCH;
        return VariantCopy(dest, source);
    }
    VariantClear(dest);
    *dest = result;
    return S_OK;
}

CComVariant::CComVariant(std::string_view text) {
    vt = VT_BSTR;
    bstrVal = tev::AllocBstr(text);
}

CComVariant& CComVariant::operator=(const CComVariant& other) {
    VariantCopy(this, &other);
    return *this;
}

CComVariant CComVariant::Error(HRESULT hr) {
    CComVariant v;
    v.vt = VT_ERROR;
    v.scode = hr;
    return v;
}

bool CComVariant::ToInt(int32_t& out) const {
    CComVariant copy;
    if (FAILED(VariantChangeType(&copy, this, 0, VT_I4)))
        return false;
    out = copy.lVal;
    return true;
}

bool CComVariant::ToBool(bool& out) const {
    CComVariant copy;
    if (FAILED(VariantChangeType(&copy, this, 0, VT_BOOL)))
        return false;
    out = copy.boolVal != VARIANT_FALSE;
    return true;
}

std::string CComVariant::ToText() const { return ::ToText(*this); }
