#include "designer/publish/LinkCtrlEx.h"

#include "platform/shell/ShellPaths.h"

#include <wx/dcclient.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/process.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/tooltip.h>
#include <wx/utils.h>

#include <cctype>

namespace TEVComponentDesignerAfx {
namespace {

// Reports the opener's exit status into the error the link shares with it.
class OpenerProcess : public wxProcess {
public:
    explicit OpenerProcess(std::shared_ptr<int> error) : m_error(std::move(error)) {}
    void OnTerminate(int, int status) override {
        *m_error = status;
        delete this;
    }

private:
    std::shared_ptr<int> m_error;
};

bool LooksLikeUrl(const std::string& target) {
    const size_t colon = target.find(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    for (size_t i = 0; i < colon; ++i) {
        const char c = target[i];
        if (!(isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.'))
            return false;
    }
    return true;
}

} // namespace

const wxColour CLinkCtrlEx::kVisitedColour(128, 0, 128);

CLinkCtrlEx::~CLinkCtrlEx() = default;

bool CLinkCtrlEx::Create(wxWindow* parent, wxWindowID id, const wxString& text, const wxPoint& pos,
                         const wxSize& size) {
    if (!wxControl::Create(parent, id, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE))
        return false;
    wxControl::SetLabel(text);
    SetCursor(wxCursor(wxCURSOR_HAND));
    UpdateToolTip();

    Bind(wxEVT_PAINT, &CLinkCtrlEx::OnPaint, this);
    Bind(wxEVT_ENTER_WINDOW, &CLinkCtrlEx::OnMouseEnter, this);
    Bind(wxEVT_LEAVE_WINDOW, &CLinkCtrlEx::OnMouseLeave, this);
    Bind(wxEVT_LEFT_DOWN, &CLinkCtrlEx::OnLButtonDown, this);
    Bind(wxEVT_LEFT_UP, &CLinkCtrlEx::OnLButtonUp, this);
    Bind(wxEVT_KEY_DOWN, &CLinkCtrlEx::OnKeyDown, this);
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        Refresh();
        event.Skip();
    });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        Refresh();
        event.Skip();
    });
    return true;
}

void CLinkCtrlEx::SetTarget(const std::string& target) {
    m_strTarget = target;
    UpdateToolTip();
}

void CLinkCtrlEx::SetLabel(const wxString& text) {
    wxControl::SetLabel(text);
    UpdateToolTip();
    InvalidateBestSize();
    Refresh();
}

bool CLinkCtrlEx::Enable(bool enable) {
    if (!enable)
        m_bHot = false;
    const bool changed = wxControl::Enable(enable);
    Refresh();
    return changed;
}

void CLinkCtrlEx::UpdateToolTip() {
    SetToolTip(m_strTarget.empty() ? GetLabelText() : wxString::FromUTF8(m_strTarget));
}

wxColour CLinkCtrlEx::GetPaintColour() const {
    if (!IsEnabled())
        return wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    if (m_bHot)
        return wxSystemSettings::GetColour(wxSYS_COLOUR_HOTLIGHT);
    if (m_bVisited)
        return kVisitedColour;
    return wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
}

wxColour CLinkCtrlEx::GetFaceColour() const {
    // The face of the form the link sits on, which is the button face where forms have
    // that colour.
    const wxWindow* parent = GetParent();
    return parent ? parent->GetBackgroundColour()
                  : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
}

wxSize CLinkCtrlEx::DoGetBestClientSize() const {
    wxClientDC dc(const_cast<CLinkCtrlEx*>(this));
    dc.SetFont(GetFont());
    return dc.GetTextExtent(GetLabelText()) + wxSize(4, 4);
}

bool CLinkCtrlEx::Open() {
    m_bVisited = true;
    Refresh();
    const std::string target = m_strTarget.empty() ? GetLabelText().utf8_string() : m_strTarget;
    // Nothing to open is a failure of its own; the desktop would only say so in a window.
    if (!LooksLikeUrl(target) && !tev::FileExists(target) && !tev::FolderExists(target)) {
        *m_pLastError = kErrorFileNotFound;
        return false;
    }
    *m_pLastError = kErrorSuccess;
    wxLogNull quiet;
    wxPathList path;
    path.AddEnvList("PATH");
    const wxString opener = path.FindAbsoluteValidPath("xdg-open");
    if (!opener.empty()) {
        const wxString wideTarget = wxString::FromUTF8(target);
        const wchar_t* argv[] = {opener.wc_str(), wideTarget.wc_str(), nullptr};
        auto* process = new OpenerProcess(m_pLastError);
        if (wxExecute(argv, wxEXEC_ASYNC, process) > 0)
            return true;
        delete process;
    }
    if (wxLaunchDefaultApplication(wxString::FromUTF8(target)))
        return true;
    *m_pLastError = kErrorNoAssociation;
    return false;
}

void CLinkCtrlEx::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    // The form's own face shows through, exactly as the theme paints it.
    Draw(dc, false);
}

void CLinkCtrlEx::Draw(wxDC& dc, bool paintFace) {
    if (paintFace) {
        dc.SetBackground(wxBrush(GetFaceColour()));
        dc.Clear();
    }
    const wxColour colour = GetPaintColour();
    dc.SetFont(GetFont());
    dc.SetTextForeground(colour);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxString text = GetLabelText();
    wxCoord width = 0, height = 0, descent = 0;
    dc.GetTextExtent(text, &width, &height, &descent);
    const wxSize extent(width, height);
    const wxSize client = GetClientSize();
    const wxPoint at(2, (client.y - extent.y) / 2);
    dc.DrawText(text, at);
    if (IsPaintUnderlined()) {
        // Drawn by hand: not every device context underlines text of an underlined font.
        const int y = at.y + height - descent + 1;
        dc.SetPen(wxPen(colour, 1));
        dc.DrawLine(at.x, y, at.x + width, y);
    }
    if (HasFocus()) {
        wxRendererNative::Get().DrawFocusRect(
            this, dc, wxRect(at, extent).Inflate(1).Intersect(wxRect(client)));
    }
}

void CLinkCtrlEx::OnMouseEnter(wxMouseEvent& event) {
    m_bHot = IsEnabled();
    Refresh();
    event.Skip();
}

void CLinkCtrlEx::OnMouseLeave(wxMouseEvent& event) {
    m_bHot = false;
    m_bPressed = false;
    Refresh();
    event.Skip();
}

void CLinkCtrlEx::OnLButtonDown(wxMouseEvent& event) {
    m_bPressed = true;
    SetFocus();
    event.Skip();
}

void CLinkCtrlEx::OnLButtonUp(wxMouseEvent& event) {
    const bool click = m_bPressed && wxRect(GetClientSize()).Contains(event.GetPosition());
    m_bPressed = false;
    event.Skip();
    if (click)
        Open();
}

void CLinkCtrlEx::OnKeyDown(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
    case WXK_SPACE:
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        Open();
        break;
    default:
        event.Skip();
        break;
    }
}

} // namespace TEVComponentDesignerAfx
