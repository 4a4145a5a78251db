#include "designer/ftp/ProfileNameDlg.h"

#include "designer/ftp/FtpSiteList.h"
#include "resources/designer/FtpDialogs.h"

namespace TEVComponentDesignerAfx {

using namespace tev::designer;

CProfileNameDlg::CProfileNameDlg(wxWindow* parent)
    : tev::NameDialog(parent, {IDD_PROFILE_NAME_DIALOG, kProfileNameDialogCaption,
                               kProfileNameDialogWidthDu, kProfileNameDialogHeightDu, wxID_STATIC,
                               kProfileNameLabel, IDC_PROFILE_NAME, kCancelButton,
                               CFtpSiteList::kEmptyNameText}) {}

} // namespace TEVComponentDesignerAfx
