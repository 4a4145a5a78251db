#pragma once
// The FTP browser's trace pane: one coloured line per step, by kind (black progress, green
// success, blue action begun, red error), at most CTraceLog::kMaxLines, the newest selected
// so that it stays in view.
#include "designer/ftp/FtpBrowser.h"

#include <wx/vlbox.h>

namespace TEVComponentDesignerAfx {

class CTraceView : public wxVListBox {
public:
    CTraceView(wxWindow* parent, wxWindowID id);

    void AddLine(TraceKind kind, const std::string& text);
    const CTraceLog& GetLog() const { return m_log; }
    static wxColour ColourOf(TraceKind kind);

private:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;

    CTraceLog m_log;
};

} // namespace TEVComponentDesignerAfx
