#include "designer/ftp/WaitMessageDlg.h"

#include "platform/text/StringUtil.h"
#include "resources/designer/DesignerStrings.h"
#include "resources/designer/FtpDialogs.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <algorithm>

namespace TEVComponentDesignerAfx {

using namespace tev::designer;

CWaitMessageDlg::CWaitMessageDlg(wxWindow* parent, const std::string& failure, int delaySeconds)
    : wxDialog(parent, IDD_WAIT_MESSAGE_DIALOG, wxString::FromUTF8(kWaitMessageCaption)),
      m_timer(this), m_delay(std::max(delaySeconds, 0)) {
    auto* text = new wxBoxSizer(wxVERTICAL);
    text->Add(new wxStaticText(this, wxID_STATIC, wxString::FromUTF8(failure)), 0, wxBOTTOM, 8);
    m_countdown = new wxStaticText(this, wxID_STATIC, wxString());
    text->Add(m_countdown, 0, wxBOTTOM, 8);
    m_bar = new wxGauge(this, wxID_ANY, std::max(m_delay, 1));
    text->Add(m_bar, 0, wxEXPAND);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticBitmap(this, wxID_STATIC,
                                wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_MESSAGE_BOX)),
             0, wxRIGHT, 12);
    row->Add(text, 1, wxEXPAND);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(row, 1, wxEXPAND | wxALL, 12);
    top->Add(new wxButton(this, wxID_CANCEL, wxString::FromUTF8(kCancelButton)), 0,
             wxALIGN_CENTER | wxBOTTOM, 12);
    SetSizerAndFit(top);
    SetMinSize(wxSize(std::max(GetSize().x, 360), GetSize().y));
    ShowSecondsLeft();
    Bind(wxEVT_TIMER, &CWaitMessageDlg::OnTimer, this);
    m_timer.Start(1000);
    CentreOnParent();
}

int CWaitMessageDlg::GetSecondsLeft() const {
    return m_delay - m_position;
}

void CWaitMessageDlg::ShowSecondsLeft() {
    m_bar->SetValue(std::min(m_position, m_bar->GetRange()));
    m_countdown->SetLabel(wxString::FromUTF8(
        tev::Format(DesignerString(IDS_FTP_RETRY_WAIT).c_str(), GetSecondsLeft())));
}

void CWaitMessageDlg::Advance() {
    m_position = std::min(m_position + 1, m_delay);
    ShowSecondsLeft();
    if (m_position < m_delay)
        return;
    m_timer.Stop();
    if (IsModal())
        EndModal(wxID_OK);
    else
        SetReturnCode(wxID_OK);
}

void CWaitMessageDlg::OnTimer(wxTimerEvent&) {
    Advance();
}

} // namespace TEVComponentDesignerAfx
