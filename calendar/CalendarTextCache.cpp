#include "calendar/CalendarTextCache.h"

#include <wx/control.h>
#include <wx/dc.h>
#include <wx/graphics.h>

#include <algorithm>

namespace {

// A year of months and weeks paged through stays well below this.
constexpr size_t kMaxMeasured = 20000;

} // namespace

void CCalendarTextCache::BeginPaint(const wxFont& windowFont) {
    if (!m_windowFont.IsSameAs(windowFont) && m_windowFont != windowFont) {
        m_windowFont = windowFont;
        m_fonts[kNormal] = windowFont;
        m_fonts[kBold] = windowFont.Bold();
        wxFont small = windowFont;
        small.SetPointSize(std::max(6, small.GetPointSize() - 2));
        m_fonts[kSmall] = small;
        wxFont large = windowFont;
        large.SetPointSize(large.GetPointSize() + 3);
        m_fonts[kLarge] = large;
        Forget();
    }
    if (GetMeasuredCount() > kMaxMeasured)
        Forget();
}

void CCalendarTextCache::Forget() {
    for (FaceMeasures& measures : m_measures)
        measures = FaceMeasures();
}

size_t CCalendarTextCache::GetMeasuredCount() const {
    size_t count = 0;
    for (const FaceMeasures& measures : m_measures)
        count += measures.texts.size() + measures.cuts.size();
    return count;
}

void CCalendarTextCache::UseFace(wxDC& dc, Face face) {
    // Selecting a font makes the graphics context build it anew; the same one is kept.
    if (!dc.GetFont().IsSameAs(m_fonts[face]))
        dc.SetFont(m_fonts[face]);
}

void CCalendarTextCache::Select(wxDC& dc, Face face, const wxColour& colour) {
    UseFace(dc, face);
    if (dc.GetTextForeground() != colour)
        dc.SetTextForeground(colour);
}

int CCalendarTextCache::CharHeight(wxDC& dc, Face face) {
    FaceMeasures& measures = m_measures[face];
    if (measures.charHeight < 0) {
        UseFace(dc, face);
        measures.charHeight = dc.GetCharHeight();
    }
    return measures.charHeight;
}

const CCalendarTextCache::Measured& CCalendarTextCache::Measure(wxDC& dc, Face face,
                                                                const std::string& text) {
    auto& texts = m_measures[face].texts;
    const auto found = texts.find(text);
    if (found != texts.end())
        return found->second;
    UseFace(dc, face);
    Measured measured;
    measured.text = wxString::FromUTF8(text);
    measured.extent = dc.GetTextExtent(measured.text);
    return texts.emplace(text, measured).first->second;
}

const wxString& CCalendarTextCache::Ellipsized(wxDC& dc, Face face, const std::string& text,
                                               int width) {
    auto& cuts = m_measures[face].cuts;
    CutKey key{text, width};
    const auto found = cuts.find(key);
    if (found != cuts.end())
        return found->second;
    const wxString whole = Measure(dc, face, text).text;
    UseFace(dc, face);
    return cuts.emplace(std::move(key), wxControl::Ellipsize(whole, dc, wxELLIPSIZE_END, width))
        .first->second;
}

void CCalendarTextCache::DrawText(wxDC& dc, const wxString& text, int x, int y) {
    // A graphics DC measures every text it draws once more, only to grow a bounding box
    // that nothing here reads; its context draws the same text without that. Lines and
    // filled backgrounds are left to the DC.
    wxGraphicsContext* context = dc.GetGraphicsContext();
    if (context && dc.GetBackgroundMode() == wxBRUSHSTYLE_TRANSPARENT &&
        text.find('\n') == wxString::npos)
        context->DrawText(text, x, y);
    else
        dc.DrawText(text, x, y);
}
