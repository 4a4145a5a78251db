#include "platform/widgets/NumberEdit.h"

#include <wx/clipbrd.h>
#include <wx/utils.h>

namespace tev {

NumberEdit::NumberEdit(wxWindow* parent, wxWindowID id, const wxString& value, long style)
    : wxTextCtrl(parent, id, value, wxDefaultPosition, wxDefaultSize, style & ~wxTE_MULTILINE) {
    Bind(wxEVT_CHAR, &NumberEdit::OnChar, this);
    Bind(wxEVT_TEXT_PASTE, &NumberEdit::OnPaste, this);
}

bool NumberEdit::IsAcceptedKey(const wxKeyEvent& event) {
    if (event.ControlDown() || event.AltDown())
        return true;
    const wxChar typed = event.GetUnicodeKey();
    if (typed == WXK_NONE)
        return true; // a key that types nothing
    return (typed >= '0' && typed <= '9') || typed < WXK_SPACE || typed == WXK_DELETE;
}

bool NumberEdit::IsAcceptedText(const wxString& text) {
    for (wxUniChar c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

void NumberEdit::OnChar(wxKeyEvent& event) {
    if (IsAcceptedKey(event))
        event.Skip();
    else
        wxBell();
}

void NumberEdit::OnPaste(wxClipboardTextEvent& event) {
    wxString text;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data))
            text = data.GetText();
        wxTheClipboard->Close();
    }
    if (IsAcceptedText(text))
        event.Skip();
    else
        wxBell();
}

} // namespace tev
