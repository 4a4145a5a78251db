#pragma once
// "About Quorvane Web Calendar": the program icon, the notice with the program's version and
// an OK button.
#include <wx/dialog.h>

#include <string>

class CAboutDlg : public wxDialog {
public:
    explicit CAboutDlg(wxWindow* parent);

    // The notice as shown: the string table's text with "<version>" replaced.
    static std::string NoticeText(const std::string& version);
    // The program's version (the build's project version).
    static std::string VersionText();
};
