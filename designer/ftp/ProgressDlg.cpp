#include "designer/ftp/ProgressDlg.h"

#include "platform/widgets/ModelessWindow.h"
#include "platform/widgets/ResizeLayout.h"
#include "platform/widgets/Translations.h"
#include "resources/designer/DesignerImages.h"
#include "resources/designer/FtpDialogs.h"

#include <wx/animate.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/mstream.h>
#include <wx/stattext.h>

#include <algorithm>

namespace TEVComponentDesignerAfx {

using namespace tev::designer;

CProgressDlg::CProgressDlg(wxWindow* parent)
    : wxDialog(parent, IDD_PROGRESS_DIALOG, wxString(), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU) {
    SetClientSize(tev::DialogUnitsToPixels(this, kProgressDialogWidthDu, kProgressDialogHeightDu));

    wxAnimation animation;
    const std::string_view gif = DesignerImage(IDR_UPLOAD_ANIMATION);
    wxMemoryInputStream stream(gif.data(), gif.size());
    if (!gif.empty())
        animation.Load(stream, wxANIMATION_TYPE_GIF);
    m_animation = new wxAnimationCtrl(this, IDC_PROGRESS_ANIMATION, animation);
    const wxRect area = tev::DialogUnitsToPixels(this, 7, 7, kProgressDialogWidthDu - 14, 30);
    const wxSize frame = animation.IsOk() ? animation.GetSize() : wxSize(1, 1);
    m_animation->SetSize(area.x + (area.width - frame.x) / 2, area.y + (area.height - frame.y) / 2,
                         frame.x, frame.y);

    const long statusStyle = wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE;
    m_status = new wxStaticText(this, IDC_PROGRESS_STATUS, wxString(), wxDefaultPosition,
                                wxDefaultSize, statusStyle);
    m_status->SetSize(tev::DialogUnitsToPixels(this, 7, 41, kProgressDialogWidthDu - 14, 9));
    m_lowerStatus = new wxStaticText(this, IDC_PROGRESS_STATUS_LOWER, wxString(), wxDefaultPosition,
                                     wxDefaultSize, statusStyle);
    m_lowerStatus->SetSize(tev::DialogUnitsToPixels(this, 7, 52, kProgressDialogWidthDu - 14, 9));
    m_bar = new wxGauge(this, IDC_PROGRESS_BAR, 100, wxDefaultPosition, wxDefaultSize,
                        wxGA_HORIZONTAL | wxGA_SMOOTH);
    m_bar->SetSize(tev::DialogUnitsToPixels(this, 7, 64, kProgressDialogWidthDu - 71, 10));
    m_cancelButton = new wxButton(this, wxID_CANCEL, tev::Tr(kCancelButton));
    m_cancelButton->SetSize(
        tev::DialogUnitsToPixels(this, kProgressDialogWidthDu - 57, 62, 50, 14));
    m_bar->SetValue(0);

    Bind(wxEVT_BUTTON, &CProgressDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CProgressDlg::OnClose, this);

    // The publish dialog that opens this one is modal; "Cancel" must still take clicks.
    tev::AllowInputDuringModal(this);
    CentreOnParent();
    Show();
    if (animation.IsOk())
        m_animation->Play(); // GIF animations loop for as long as they play
}

CProgressDlg::~CProgressDlg() {
    if (m_animation)
        m_animation->Stop();
}

void CProgressDlg::SetRange(std::int32_t upper) {
    m_meter.SetRange(upper);
}

void CProgressDlg::SetCaption(const std::string& caption) {
    m_meter.SetCaption(caption);
}

void CProgressDlg::SetStatus(const std::string& text) {
    const wxString label = wxString::FromUTF8(text);
    if (m_status->GetLabel() != label)
        m_status->SetLabel(label);
}

void CProgressDlg::SetLowerStatus(const std::string& text) {
    const wxString label = wxString::FromUTF8(text);
    if (m_lowerStatus->GetLabel() != label)
        m_lowerStatus->SetLabel(label);
}

void CProgressDlg::SetPos(std::int32_t position) {
    const CProgressMeter::Update update = m_meter.SetPos(position);
    if (!update.m_moved)
        return;
    // A position outside the bounds gives a percentage outside 0 to 100; the bar stays in it.
    m_bar->SetValue(std::min(std::max(update.m_percent, 0), 100));
    if (update.m_titleChanged)
        SetTitle(wxString::FromUTF8(m_meter.GetTitle()));
}

std::string CProgressDlg::GetStatus() const {
    return m_status->GetLabel().utf8_string();
}

std::string CProgressDlg::GetLowerStatus() const {
    return m_lowerStatus->GetLabel().utf8_string();
}

int CProgressDlg::GetBarPercent() const {
    return m_bar->GetValue();
}

bool CProgressDlg::IsAnimationPlaying() const {
    return m_animation->IsPlaying();
}

void CProgressDlg::OnCancel(wxCommandEvent&) {
    if (m_cancelled)
        return;
    m_cancelled = true;
    m_cancelButton->Disable();
    SetLowerStatus(kCancellingStatus);
}

void CProgressDlg::OnClose(wxCloseEvent& event) {
    // The upload owns the dialog and destroys it once it has stopped.
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    OnCancel(cancel);
    if (event.CanVeto())
        event.Veto();
}

} // namespace TEVComponentDesignerAfx
