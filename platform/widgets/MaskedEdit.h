#pragma once
// A password edit whose text is shown as '*' or in clear, switched at any time: wx fixes
// wxTE_PASSWORD when the control is created, the native entry can switch.
#include <wx/textctrl.h>

namespace tev {

class MaskedEdit : public wxTextCtrl {
public:
    static constexpr char kMaskChar = '*';

    // Starts masked.
    MaskedEdit(wxWindow* parent, wxWindowID id, const wxString& value = wxString(), long style = 0);

    // Switches the shown text; the text itself and its change events are not touched.
    void SetMasked(bool masked);
    // What the native entry does now.
    bool IsMasked() const;
};

} // namespace tev
