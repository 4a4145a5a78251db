#pragma once
// VARIANT with the ownership rules of COM: VariantClear frees a held
// BSTR, VariantCopy duplicates it; VariantChangeType converts between the kinds used here.
#include "platform/com/Bstr.h"

using VARTYPE = uint16_t;
using VARIANT_BOOL = int16_t;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum VarEnum : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_UI4 = 19,
};

struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    union {
        int32_t lVal;
        int16_t iVal;
        uint32_t ulVal;
        VARIANT_BOOL boolVal;
        double dblVal;
        BSTR bstrVal;
        HRESULT scode;
    };
    VARIANT() : dblVal(0) {}
};

void VariantInit(VARIANT* v);
HRESULT VariantClear(VARIANT* v);
HRESULT VariantCopy(VARIANT* dest, const VARIANT* source);
// Converts `source` to `type` into `dest` (which may be `source`). Text converts to numbers
// when it is a decimal number, to booleans when it is "true"/"false" (any letter case) or a
// number; failures give DISP_E_TYPEMISMATCH and leave `dest` unchanged.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, uint16_t flags, VARTYPE type);

// Owns one VARIANT.
class CComVariant : public VARIANT {
public:
    CComVariant() = default;
    CComVariant(int32_t value) { vt = VT_I4, lVal = value; }
    CComVariant(bool value) { vt = VT_BOOL, boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; }
    CComVariant(std::string_view text);
    CComVariant(const char* text) : CComVariant(std::string_view(text)) {}
    CComVariant(const VARIANT& other) { VariantCopy(this, &other); }
    CComVariant(const CComVariant& other) : CComVariant(static_cast<const VARIANT&>(other)) {}
    CComVariant& operator=(const CComVariant& other);
    ~CComVariant() { VariantClear(this); }

    static CComVariant Error(HRESULT hr);
    HRESULT ChangeType(VARTYPE type) { return VariantChangeType(this, this, 0, type); }
    HRESULT CopyTo(VARIANT* dest) const { return VariantCopy(dest, this); }

    // Convenience readers that convert without changing this variant.
    bool ToInt(int32_t& out) const;
    bool ToBool(bool& out) const;
    std::string ToText() const;
};
