#include "host/AboutDlg.h"

#include "host/ProgramIcon.h"
#include "platform/text/StringUtil.h"
#include "platform/widgets/ResizeLayout.h"
#include "resources/host/HostResource.h"
#include "resources/host/HostStrings.h"

#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <algorithm>

using namespace tev::host;

std::string CAboutDlg::VersionText() {
    return TEV_VERSION;
}

std::string CAboutDlg::NoticeText(const std::string& version) {
    return tev::Replaced(HostString(IDS_ABOUT_NOTICE), "<version>", version);
}

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, IDD_ABOUTBOX, wxString::FromUTF8(HostString(IDS_ABOUT_CAPTION))) {
    // Dialog template 100, 288 x 143 dialog units.
    SetClientSize(tev::DialogUnitsToPixels(this, kAboutWidthDu, kAboutHeightDu));

    const wxRect iconRect = tev::DialogUnitsToPixels(this, 11, 14, 21, 20);
    const int iconSize = std::max(iconRect.width, iconRect.height);
    new wxStaticBitmap(this, IDC_ABOUT_ICON, ProgramIconBitmap(iconSize), iconRect.GetPosition(),
                       wxSize(iconSize, iconSize));

    const wxRect noticeRect = tev::DialogUnitsToPixels(this, 48, 14, 230, 100);
    auto* notice = new wxStaticText(this, IDC_ABOUT_NOTICE, wxString(), noticeRect.GetPosition(),
                                    noticeRect.GetSize(), wxST_NO_AUTORESIZE);
    // The notice is shown as it is: an '&' in it is no mnemonic.
    notice->SetLabelText(wxString::FromUTF8(NoticeText(VersionText())));
    notice->Wrap(noticeRect.width);

    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetSize(tev::DialogUnitsToPixels(this, 231, 122, 50, 14));
    ok->SetDefault();
    ok->SetFocus();
    CentreOnParent();
}
