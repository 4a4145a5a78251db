#include "platform/widgets/StatusBarEx.h"

#include <gdk/gdk.h>
#include <wx/dcclient.h>

namespace tev {

bool StatusBarEx::Create(wxWindow* parent, wxWindowID id) {
    if (!wxStatusBar::Create(parent, id, wxSTB_DEFAULT_STYLE))
        return false;
    Bind(wxEVT_IDLE, &StatusBarEx::OnIdle, this);
    return true;
}

const char* StatusBarEx::IndicatorText(StatusIndicator indicator) {
    switch (indicator) {
    case StatusIndicator::CapsLock:
        return "CAP";
    case StatusIndicator::NumLock:
        return "NUM";
    case StatusIndicator::ScrollLock:
        return "SCRL";
    case StatusIndicator::Separator:
        break;
    }
    return "";
}

bool StatusBarEx::IsLockOn(StatusIndicator indicator) {
    GdkDisplay* display = gdk_display_get_default();
    if (!display)
        return false;
    GdkKeymap* keymap = gdk_keymap_get_for_display(display);
    if (!keymap)
        return false;
    switch (indicator) {
    case StatusIndicator::CapsLock:
        return gdk_keymap_get_caps_lock_state(keymap);
    case StatusIndicator::NumLock:
        return gdk_keymap_get_num_lock_state(keymap);
    case StatusIndicator::ScrollLock:
        return gdk_keymap_get_scroll_lock_state(keymap);
    case StatusIndicator::Separator:
        break;
    }
    return false;
}

bool StatusBarEx::SetIndicators(const StatusIndicator* panes, size_t count) {
    if (!panes || count == 0)
        return false;
    m_panes.assign(panes, panes + count);
    std::vector<int> widths;
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    for (StatusIndicator pane : m_panes) {
        if (pane == StatusIndicator::Separator) {
            widths.push_back(-1);
            continue;
        }
        // Wide enough for the text with a margin on both sides, whatever the theme's font.
        widths.push_back(dc.GetTextExtent(IndicatorText(pane)).x + 2 * FromDIP(10));
    }
    SetFieldsCount(static_cast<int>(widths.size()), widths.data());
    UpdatePanes();
    return true;
}

StatusIndicator StatusBarEx::GetIndicator(int pane) const {
    if (pane < 0 || static_cast<size_t>(pane) >= m_panes.size())
        return StatusIndicator::Separator;
    return m_panes[static_cast<size_t>(pane)];
}

void StatusBarEx::UpdatePanes() {
    for (size_t i = 0; i < m_panes.size(); ++i) {
        const StatusIndicator pane = m_panes[i];
        if (pane == StatusIndicator::Separator)
            continue;
        const wxString text = IsLockOn(pane) ? wxString(IndicatorText(pane)) : wxString();
        // Only real changes are set, so idle passes do not repaint the bar.
        if (GetStatusText(static_cast<int>(i)) != text)
            SetStatusText(text, static_cast<int>(i));
    }
}

void StatusBarEx::OnIdle(wxIdleEvent& event) {
    UpdatePanes();
    event.Skip();
}

} // namespace tev
