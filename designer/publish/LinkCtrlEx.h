#pragma once
// A hyperlink button: its text painted on the face of its form, in the highlight colour, purple
// once it has been clicked, grey while disabled, and in the hot-light colour with an
// underline while the mouse is over it. It shows the hand cursor and a tooltip with its
// target (its text when the target is empty). A click, or Space or Enter while it has the
// focus, opens the target with the desktop's default program (a folder opens in the file
// manager); a failure is kept for GetLastError and never shown.
#include <wx/control.h>

#include <memory>
#include <string>

namespace TEVComponentDesignerAfx {

class CLinkCtrlEx : public wxControl {
public:
    // Error codes kept by Open.
    static constexpr int kErrorSuccess = 0;
    static constexpr int kErrorFileNotFound = 2;
    static constexpr int kErrorNoAssociation = 1155;
    // The colour of a link that has been clicked.
    static const wxColour kVisitedColour;

    CLinkCtrlEx() = default;
    CLinkCtrlEx(wxWindow* parent, wxWindowID id, const wxString& text,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize) {
        Create(parent, id, text, pos, size);
    }
    ~CLinkCtrlEx() override;
    bool Create(wxWindow* parent, wxWindowID id, const wxString& text,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);

    void SetTarget(const std::string& target);
    const std::string& GetTarget() const { return m_strTarget; }
    void SetLabel(const wxString& text) override;
    bool Enable(bool enable = true) override;

    // Opens the target (or, when it is empty, the text) and marks the link visited. False
    // when it could not be handed to the desktop; the outcome is kept either way. The
    // desktop's opener runs on its own: when it later reports a failure, that failure
    // becomes the last error.
    bool Open();
    // 0 after a successful open; a file-not-found or no-program code, or the opener's exit
    // status, after a failed one.
    int GetLastError() const { return *m_pLastError; }

    bool IsVisited() const { return m_bVisited; }
    bool IsHot() const { return m_bHot; }
    // How the text is painted now.
    wxColour GetPaintColour() const;
    bool IsPaintUnderlined() const { return m_bHot && IsEnabled(); }
    wxColour GetFaceColour() const;
    // Paints the link as it looks now into `dc` (of the control's size), on the face of its
    // form when `paintFace`.
    void Draw(wxDC& dc, bool paintFace = true);

protected:
    wxSize DoGetBestClientSize() const override;
    bool AcceptsFocus() const override { return true; }

    void OnPaint(wxPaintEvent& event);
    void OnMouseEnter(wxMouseEvent& event);
    void OnMouseLeave(wxMouseEvent& event);
    void OnLButtonDown(wxMouseEvent& event);
    void OnLButtonUp(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);

private:
    void UpdateToolTip();

    std::string m_strTarget;
    bool m_bVisited = false;
    bool m_bHot = false;
    bool m_bPressed = false;
    // Shared with an opener still running when the link goes.
    std::shared_ptr<int> m_pLastError = std::make_shared<int>(kErrorSuccess);
};

} // namespace TEVComponentDesignerAfx
