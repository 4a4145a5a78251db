#include "designer/ftp/PublishDialog.h"

#include "designer/ftp/ConnectDlg.h"

namespace TEVComponentDesignerAfx {

int RunPublishDialog(wxWindow* parent, const std::string& localFolder) {
    CConnectDlg dialog(parent);
    dialog.SetLocalFolder(localFolder);
    return dialog.ShowModal();
}

} // namespace TEVComponentDesignerAfx
