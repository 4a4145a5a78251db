#pragma once
// A single-line edit that takes digits only, typed or pasted, like an edit with the number
// style: other characters are refused with a beep.
#include <wx/textctrl.h>

namespace tev {

class NumberEdit : public wxTextCtrl {
public:
    NumberEdit(wxWindow* parent, wxWindowID id, const wxString& value = wxString(), long style = 0);

    // True for what the edit lets through: digits, control characters (Backspace, Tab,
    // Enter), Delete, keys that type nothing (arrows, Home, End) and shortcuts with Ctrl or
    // Alt.
    static bool IsAcceptedKey(const wxKeyEvent& event);
    // True when `text` may be pasted: digits only.
    static bool IsAcceptedText(const wxString& text);

private:
    void OnChar(wxKeyEvent& event);
    void OnPaste(wxClipboardTextEvent& event);
};

} // namespace tev
