#pragma once
// The upload's progress: a modeless dialog with a looping animation, two status lines, a
// percentage bar and "Cancel". Its title is the percentage followed by the caption
// ("42% Uploading"); the arithmetic is CProgressMeter's.
//
// "Cancel" (also Escape and the close box) only raises the cancelled flag, which the upload
// polls; the upload destroys the dialog when it has stopped.
#include "designer/ftp/ProgressMeter.h"

#include <wx/dialog.h>

#include <cstdint>
#include <string>

class wxAnimationCtrl;
class wxButton;
class wxGauge;
class wxStaticText;

namespace TEVComponentDesignerAfx {

class CProgressDlg : public wxDialog {
public:
    // Creates the dialog centred on `parent`, shows it and starts the animation.
    explicit CProgressDlg(wxWindow* parent);
    ~CProgressDlg() override;

    // The upper bound; the lower becomes 0.
    void SetRange(std::int32_t upper);
    void SetCaption(const std::string& caption);
    void SetStatus(const std::string& text);
    void SetLowerStatus(const std::string& text);
    // Moves the bar and, when the percentage text changed, the title. Nothing moves while
    // the upper bound is 0.
    void SetPos(std::int32_t position);

    bool IsCancelled() const { return m_cancelled; }

    std::string GetStatus() const;
    std::string GetLowerStatus() const;
    int GetBarPercent() const;
    bool IsAnimationPlaying() const;

private:
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    CProgressMeter m_meter;
    wxAnimationCtrl* m_animation = nullptr;
    wxStaticText* m_status = nullptr;
    wxStaticText* m_lowerStatus = nullptr;
    wxGauge* m_bar = nullptr;
    wxButton* m_cancelButton = nullptr;
    bool m_cancelled = false;
};

} // namespace TEVComponentDesignerAfx
