#include "designer/ftp/UploadFolder.h"

#include "designer/ftp/ProgressDlg.h"
#include "designer/ftp/ProgressMeter.h"
#include "platform/shell/ShellPaths.h"
#include "platform/shell/UserFolders.h"
#include "designer/ftp/TrustDlg.h"
#include "platform/text/StringUtil.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/MessageBox.h"
#include "resources/designer/DesignerStrings.h"
#include "resources/designer/FtpDialogs.h"

#include <wx/msgdlg.h>
#include <wx/window.h>

namespace TEVComponentDesignerAfx {
namespace {

using namespace tev::designer;

// The progress dialog and the message boxes of one upload.
class CProgressDisplay : public IUploadDisplay {
public:
    explicit CProgressDisplay(wxWindow* parent) : m_parent(parent) {}
    ~CProgressDisplay() override { OnFinished(); }

    void OnConnecting(const std::string& host, int attempt, int attempts) override {
        Dialog().SetStatus(tev::Format(kConnectingStatus, host.c_str(), attempt, attempts));
        Dialog().SetLowerStatus({});
    }
    void OnRetryWait(const std::string& error, int secondsLeft) override {
        Dialog().SetStatus(tev::Format(DesignerString(IDS_FTP_RETRY_WAIT).c_str(), secondsLeft));
        // The first line says what went wrong; the rest quotes the server.
        Dialog().SetLowerStatus(error.substr(0, error.find('\n')));
    }
    void OnUploadStart() override {
        CProgressDlg& dialog = Dialog();
        dialog.SetCaption(kUploadingCaption);
        dialog.SetStatus({});
        dialog.SetPos(0);
        dialog.SetLowerStatus({});
        dialog.SetRange(100);
    }
    void OnFileStart(const CUploadFile& file) override {
        CProgressDlg& dialog = Dialog();
        dialog.SetPos(0);
        dialog.SetLowerStatus({});
        dialog.SetRange(file.size);
        dialog.SetStatus(CProgressMeter::StatusText(file.name, 0, file.size));
    }
    void OnFileProgress(const CUploadFile& file, std::int32_t bytesSent) override {
        CProgressDlg& dialog = Dialog();
        dialog.SetPos(bytesSent);
        dialog.SetStatus(CProgressMeter::StatusText(file.name, bytesSent, file.size));
    }
    void OnFinished() override {
        if (m_dialog) {
            m_cancelled = m_cancelled || m_dialog->IsCancelled();
            m_dialog->Destroy();
            m_dialog = nullptr;
        }
    }
    void ShowError(const std::string& text) override {
        wxWindow* owner = m_dialog ? static_cast<wxWindow*>(m_dialog) : m_parent;
        tev::MessageBox(owner, text, {}, wxOK | wxICON_ERROR);
    }
    void Wait(int timeoutMs, const std::function<bool()>& done) override {
        tev::PumpEventsUntil(done, timeoutMs);
    }
    bool IsCancelled() const override {
        return m_cancelled || (m_dialog && m_dialog->IsCancelled());
    }

private:
    CProgressDlg& Dialog() {
        if (!m_dialog)
            m_dialog = new CProgressDlg(m_parent);
        return *m_dialog;
    }

    wxWindow* m_parent;
    CProgressDlg* m_dialog = nullptr;
    bool m_cancelled = false;
};

// The log goes with the user's other records, never into a folder the user may not write.
std::string FtpLogPath() {
    const std::string state = tev::UserStateFolder();
    tev::CreateDirectoryTree(state);
    return state + kFtpLogFileName;
}

} // namespace

UploadResult RunUpload(wxWindow* parent, const CUploadRequest& request) {
    UploadResult result;
    int files = 0;
    {
        CProgressDisplay display(parent);
        CTrustPrompt prompt(parent);
        CStoredTrust trust(DefaultTrustStorePath(), &prompt);
        CUploadRequest asking = request;
        asking.trust = &trust;
        CFolderUpload upload(asking);
        result = upload.Run(display, FtpLogPath());
        files = upload.FilesSent();
    }
    // A dialog that closed without a word would look the same as one that gave up.
    if (result == UploadResult::Completed)
        tev::MessageBox(parent, CFolderUpload::DoneText(files, request), {},
                        wxOK | wxICON_INFORMATION);
    return result;
}

bool UploadFolder(wxWindow* parent, const CUploadRequest& request) {
    return RunUpload(parent, request) == UploadResult::Completed;
}

} // namespace TEVComponentDesignerAfx
