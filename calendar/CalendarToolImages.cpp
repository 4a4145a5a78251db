#include "calendar/CalendarToolImages.h"

#include "resources/calendar/CalendarStrings.h"

#include <wx/artprov.h>
#include <wx/brush.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/pen.h>

#include <memory>

using namespace tev::calendar;

namespace {

constexpr int kSize = 16;
const wxColour kInk(60, 64, 67);
const wxColour kAccent(26, 115, 232);

// A transparent image with a graphics context to draw on.
struct Canvas {
    Canvas() : image(kSize, kSize) {
        image.InitAlpha();
        std::fill(image.GetAlpha(), image.GetAlpha() + kSize * kSize, 0);
        gc.reset(wxGraphicsContext::Create(image));
        gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
    }
    wxBitmap Finish() {
        gc.reset(); // flushes the drawing into the image
        return wxBitmap(image);
    }
    wxImage image;
    std::unique_ptr<wxGraphicsContext> gc;
};

// A calendar sheet with a coloured top, its columns filled from `first` for `count`.
wxBitmap Sheet(int columns, int rows, int firstFilled, int filledCount) {
    Canvas canvas;
    wxGraphicsContext& gc = *canvas.gc;
    gc.SetPen(wxPen(kInk, 1));
    gc.SetBrush(*wxWHITE_BRUSH);
    gc.DrawRoundedRectangle(1.5, 2.5, 13, 12, 1.5);
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(wxBrush(kAccent));
    gc.DrawRectangle(2, 3, 12, 3);
    const double cellWidth = 11.0 / columns;
    const double cellHeight = 7.0 / rows;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int index = row * columns + column;
            const bool filled = index >= firstFilled && index < firstFilled + filledCount;
            gc.SetBrush(wxBrush(filled ? kAccent : wxColour(189, 193, 198)));
            gc.DrawRectangle(2.5 + column * cellWidth + 0.3, 6.8 + row * cellHeight + 0.3,
                             cellWidth - 0.8, cellHeight - 0.8);
        }
    }
    return canvas.Finish();
}

wxBitmap PrintPreview() {
    Canvas canvas;
    wxGraphicsContext& gc = *canvas.gc;
    gc.SetPen(wxPen(kInk, 1));
    gc.SetBrush(*wxWHITE_BRUSH);
    gc.DrawRectangle(2.5, 1.5, 9, 12);
    gc.SetPen(wxPen(wxColour(154, 160, 166), 1));
    for (double y = 4.5; y < 11; y += 2)
        gc.StrokeLine(4, y, 10, y);
    gc.SetPen(wxPen(kAccent, 1.6));
    gc.SetBrush(wxBrush(wxColour(255, 255, 255, 200)));
    gc.DrawEllipse(7.5, 7.5, 5, 5);
    gc.StrokeLine(12, 12, 14.5, 14.5);
    return canvas.Finish();
}

wxBitmap DatePicker() {
    Canvas canvas;
    wxGraphicsContext& gc = *canvas.gc;
    gc.SetPen(wxPen(kInk, 1));
    gc.SetBrush(*wxWHITE_BRUSH);
    gc.DrawRectangle(0.5, 1.5, 15, 13);
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(wxBrush(kAccent));
    gc.DrawRectangle(1, 2, 5, 12);
    gc.SetBrush(*wxWHITE_BRUSH);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 2; ++column)
            gc.DrawRectangle(1.6 + column * 2.2, 4 + row * 3, 1.4, 1.6);
    return canvas.Finish();
}

// Two sliders: the options pane.
wxBitmap Options() {
    Canvas canvas;
    wxGraphicsContext& gc = *canvas.gc;
    gc.SetPen(wxPen(kInk, 1.4));
    gc.StrokeLine(2, 5, 14, 5);
    gc.StrokeLine(2, 11, 14, 11);
    gc.SetPen(wxPen(kAccent, 1));
    gc.SetBrush(wxBrush(kAccent));
    gc.DrawEllipse(4, 2.5, 5, 5);
    gc.DrawEllipse(8, 8.5, 5, 5);
    return canvas.Finish();
}

wxBitmap Stock(const wxArtID& art, int fallbackColumns) {
    const wxBitmap bitmap = wxArtProvider::GetBitmap(art, wxART_TOOLBAR, wxSize(kSize, kSize));
    return bitmap.IsOk() ? bitmap : Sheet(fallbackColumns, 1, 0, 0);
}

} // namespace

wxBitmap CalendarToolImage(int commandId) {
    switch (commandId) {
    case ID_FILE_PRINT_PREVIEW:
        return PrintPreview();
    case ID_FILE_PRINT:
        return Stock(wxART_PRINT, 1);
    case ID_EDIT_UNDO:
        return Stock(wxART_UNDO, 1);
    case ID_EDIT_CUT:
        return Stock(wxART_CUT, 1);
    case ID_EDIT_COPY:
        return Stock(wxART_COPY, 1);
    case ID_EDIT_PASTE:
        return Stock(wxART_PASTE, 1);
    case ID_CALENDARVIEW_DAY:
        return Sheet(1, 1, 0, 1);
    case ID_CALENDARVIEW_WORKWEEK:
        return Sheet(7, 1, 1, 5);
    case ID_CALENDARVIEW_WEEK:
        return Sheet(7, 1, 0, 7);
    case ID_CALENDARVIEW_MONTH:
        return Sheet(4, 3, 0, 0);
    case ID_VIEW_DATE_PICKER:
        return DatePicker();
    case ID_VIEW_OPTIONS_PANE:
        return Options();
    case ID_IMPORT_EVENTS:
        return Stock(wxART_FILE_OPEN, 1);
    case ID_EXPORT_EVENTS:
        return Stock(wxART_FILE_SAVE_AS, 1);
    default:
        return Sheet(4, 3, 5, 1);
    }
}
