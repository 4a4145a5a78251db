#include "calendar/CalendarMarkStamps.h"

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/dcgraph.h>
#include <wx/dcmemory.h>

namespace {

// Room around a mark's box for pens and soft edges that reach past it.
constexpr int kMargin = 3;

} // namespace

bool CCalendarMarkStamps::CanStamp(wxDC& dc) {
    double userX = 1, userY = 1, logicalX = 1, logicalY = 1;
    dc.GetUserScale(&userX, &userY);
    dc.GetLogicalScale(&logicalX, &logicalY);
    return dc.GetGraphicsContext() && userX == 1 && userY == 1 && logicalX == 1 && logicalY == 1 &&
           dc.GetContentScaleFactor() == 1;
}

void CCalendarMarkStamps::Draw(wxDC& dc, uint64_t key, const wxPoint& at, const wxSize& size,
                               bool stamp, const Painter& paint) {
    if (!stamp || !CanStamp(dc)) {
        paint(dc, at);
        return;
    }
    wxGraphicsContext& context = *dc.GetGraphicsContext();
    auto found = m_stamps.find(key);
    if (found == m_stamps.end() || found->second.GetRenderer() != context.GetRenderer())
        found = m_stamps.insert_or_assign(key, MakeStamp(context, size, paint)).first;
    context.DrawBitmap(found->second, at.x - kMargin, at.y - kMargin, size.x + 2 * kMargin,
                       size.y + 2 * kMargin);
}

wxGraphicsBitmap CCalendarMarkStamps::MakeStamp(wxGraphicsContext& context, const wxSize& size,
                                                const Painter& paint) const {
    wxBitmap bitmap;
    bitmap.Create(size.x + 2 * kMargin, size.y + 2 * kMargin, 32);
    bitmap.UseAlpha();
    {
        wxMemoryDC memory(bitmap);
        wxGCDC dc(memory);
        // The same offsets for thin lines as the device the stamp is drawn on.
        dc.GetGraphicsContext()->EnableOffset(context.OffsetEnabled());
        dc.SetBackground(wxBrush(wxTransparentColour));
        dc.Clear();
        paint(dc, wxPoint(kMargin, kMargin));
    }
    return context.CreateBitmap(bitmap);
}
