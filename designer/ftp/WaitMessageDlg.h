#pragma once
// "FTP Connect": the wait before the next connection attempt. It shows why the last attempt
// failed and counts the seconds down on a bar; it ends with OK when the time is up (the next
// attempt follows) and with Cancel when the user gives up.
#include <wx/dialog.h>
#include <wx/timer.h>

#include <string>

class wxGauge;
class wxStaticText;

namespace TEVComponentDesignerAfx {

class CWaitMessageDlg : public wxDialog {
public:
    CWaitMessageDlg(wxWindow* parent, const std::string& failure, int delaySeconds);

    int GetSecondsLeft() const;
    // One tick of the one-second timer.
    void Advance();

private:
    void OnTimer(wxTimerEvent& event);
    void ShowSecondsLeft();

    wxTimer m_timer;
    wxGauge* m_bar = nullptr;
    wxStaticText* m_countdown = nullptr;
    int m_delay;
    int m_position = 0;
};

} // namespace TEVComponentDesignerAfx
