#pragma once
// The component designer interface, shared by the designer library (the caller) and every
// component's designer control (the implementation). It stands for the type library
// TEVComponentDesignerAx.tlb: both sides include this header and meet only through the
// vtable below.
//
// Ownership across the interface:
// - a BSTR passed in stays the caller's: the callee copies what it keeps;
// - a BSTR returned through an out parameter becomes the caller's, who frees it; the caller
//   sets the out parameter to NULL before the call, and NULL reads as "";
// - a VARIANT is passed by value: the caller passes a copy and clears it after the call.
// Every method returns S_OK, or E_OUTOFMEMORY when a string cannot be allocated.
#include "platform/com/Variant.h"

// {74544FC8-A250-43B0-B485-1F595FE093F5}
constexpr IID IID_ITEVComponentDesigner{
    0x74544FC8, 0xA250, 0x43B0, {0xB4, 0x85, 0x1F, 0x59, 0x5F, 0xE0, 0x93, 0xF5}};

// Slots 7 to 15, after the three IUnknown and four IDispatch slots.
struct ITEVComponentDesigner : IDispatch {
    // A copy of an opaque string the control keeps; NULL when none was set.
    virtual HRESULT GetDesignerTag(BSTR* tag) = 0;
    // Replaces that string (NULL clears it).
    virtual HRESULT SetDesignerTag(BSTR tag) = 0;
    // The component's data as the XML text of one element, embedded as it is in the
    // project's properties XML.
    virtual HRESULT GetDataSection(BSTR* xml) = 0;
    // Replaces all of the component's data by that in `xml`; text that does not parse
    // leaves the data as it is.
    virtual HRESULT SetDataSection(BSTR xml) = 0;
    virtual HRESULT Reserved() = 0;
    // The fragment of Param elements by which the control adds its own properties; NULL or
    // empty when it has none.
    virtual HRESULT GetExtendedParams(BSTR* params) = 0;
    virtual HRESULT SetExtendedParams(BSTR params) = 0;
    // The user committed a value in the property grid, under that category's caption.
    virtual HRESULT OnPropertyChanged(BSTR name, BSTR category, VARIANT value) = 0;
    // A property received its value by loading (component, template or project).
    virtual HRESULT OnPropertyInit(BSTR name, BSTR category, VARIANT value) = 0;

protected:
    ~ITEVComponentDesigner() = default;
};
