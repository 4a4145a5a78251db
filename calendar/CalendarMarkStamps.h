#pragma once
// Small marks a paint repeats many times (the label dots of the month and week cells, the
// meeting and reminder marks), drawn once into a bitmap of their own and then stamped:
// filling and stroking a few tiny curves costs cairo far more than copying their pixels.
// A stamp matches the mark drawn in place up to rounding at its soft edges.
//
// Stamps are used on devices that draw through a graphics context at scale 1 (windows and
// bitmaps); on any other device (printed pages, scaled or high-resolution devices) the
// mark is drawn in place.
#include <wx/gdicmn.h>
#include <wx/graphics.h>

#include <cstdint>
#include <functional>
#include <unordered_map>

class wxDC;

class CCalendarMarkStamps {
public:
    // Draws a mark with its top left corner at `at` (and its soft edges within a few pixels
    // around `size`).
    using Painter = std::function<void(wxDC& dc, const wxPoint& at)>;

    // Draws the mark `paint` draws at `at`. `key` names the mark's look: the same key must
    // always paint the same mark. Without `stamp` the mark is drawn in place.
    void Draw(wxDC& dc, uint64_t key, const wxPoint& at, const wxSize& size, bool stamp,
              const Painter& paint);

private:
    static bool CanStamp(wxDC& dc);
    wxGraphicsBitmap MakeStamp(wxGraphicsContext& context, const wxSize& size,
                               const Painter& paint) const;

    std::unordered_map<uint64_t, wxGraphicsBitmap> m_stamps;
};
