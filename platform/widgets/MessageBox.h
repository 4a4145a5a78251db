#pragma once
// The one way the program shows a message box. It is a modal wxMessageDialog, so tests
// answer it with wxTEST_DIALOG(..., wxExpectModal<wxMessageDialog>(wxID_YES)) and no test
// ever waits on a box.
//
// `style` takes the toolkit's flags: the buttons (wxOK, wxOK | wxCANCEL, wxYES_NO,
// wxYES_NO | wxCANCEL) and an icon (wxICON_INFORMATION, wxICON_QUESTION, wxICON_WARNING,
// wxICON_ERROR). The result is the button chosen: wxID_OK, wxID_YES, wxID_NO or wxID_CANCEL.
#include <string>

class wxWindow;

namespace tev {

// An empty caption shows the application's display name, as the class library's message
// boxes do. Texts are UTF-8.
int MessageBox(wxWindow* parent, const std::string& text, const std::string& caption = {},
               long style = 0x4 /* wxOK */);

} // namespace tev
