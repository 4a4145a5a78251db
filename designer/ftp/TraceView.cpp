#include "designer/ftp/TraceView.h"

#include <wx/dc.h>
#include <wx/settings.h>

namespace TEVComponentDesignerAfx {

CTraceView::CTraceView(wxWindow* parent, wxWindowID id)
    : wxVListBox(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN) {
    SetBackgroundColour(*wxWHITE);
}

wxColour CTraceView::ColourOf(TraceKind kind) {
    switch (kind) {
    case TraceKind::Success:
        return wxColour(0, 130, 0);
    case TraceKind::Action:
        return wxColour(0, 0, 255);
    case TraceKind::Error:
        return wxColour(255, 0, 0);
    default:
        return wxColour(0, 0, 0);
    }
}

void CTraceView::AddLine(TraceKind kind, const std::string& text) {
    m_log.Add({kind, text});
    SetItemCount(m_log.Lines().size());
    SetSelection(static_cast<int>(m_log.Lines().size()) - 1);
    RefreshAll();
}

void CTraceView::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const {
    if (n >= m_log.Lines().size())
        return;
    const CTraceLine& line = m_log.Lines()[n];
    dc.SetFont(GetFont());
    dc.SetTextForeground(IsSelected(n) ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT)
                                       : ColourOf(line.kind));
    dc.DrawText(wxString::FromUTF8(line.text), rect.x + 2, rect.y + 1);
}

wxCoord CTraceView::OnMeasureItem(size_t) const {
    return GetCharHeight() + 2;
}

} // namespace TEVComponentDesignerAfx
