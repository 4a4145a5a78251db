#include "platform/widgets/PrintToFile.h"

// The toolkit's settings first: they decide what the headers below offer.
#include <wx/defs.h>

#include <wx/dcgraph.h>
#include <wx/graphics.h>
#include <wx/print.h>

#include <cairo-pdf.h>

#include <memory>

namespace tev {

namespace {

// A4 in points, the unit of a PDF page.
constexpr int kPageWidth = 595;
constexpr int kPageHeight = 842;
constexpr int kPointsPerInch = 72;

// A drawing context on a PDF page that knows the page's size, as a printer's does; the
// toolkit clips and fits printouts to it.
class PdfPageDCImpl : public wxGCDCImpl {
public:
    PdfPageDCImpl(wxDC* owner, wxGraphicsContext* context) : wxGCDCImpl(owner, context) {}
    void DoGetSize(int* width, int* height) const override {
        if (width)
            *width = kPageWidth;
        if (height)
            *height = kPageHeight;
    }
    void DoGetSizeMM(int* width, int* height) const override {
        if (width)
            *width = 210;
        if (height)
            *height = 297;
    }
    wxSize GetPPI() const override { return wxSize(kPointsPerInch, kPointsPerInch); }
};

class PdfPageDC : public wxDC {
public:
    explicit PdfPageDC(wxGraphicsContext* context) : wxDC(new PdfPageDCImpl(this, context)) {}
};

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

// Tells the printout about a page of the PDF as a printer would about its paper.
void PreparePage(wxPrintout& printout, wxDC& dc) {
    printout.SetDC(&dc);
    printout.SetPPIScreen(kPointsPerInch, kPointsPerInch);
    printout.SetPPIPrinter(kPointsPerInch, kPointsPerInch);
    printout.SetPageSizePixels(kPageWidth, kPageHeight);
    printout.SetPaperRectPixels(wxRect(0, 0, kPageWidth, kPageHeight));
    printout.SetPageSizeMM(210, 297);
}

} // namespace

bool PrintToPdfFile(wxPrintout& printout, const std::string& path) {
    Surface surface(cairo_pdf_surface_create(path.c_str(), kPageWidth, kPageHeight),
                    &cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return false;
    Context cairo(cairo_create(surface.get()), &cairo_destroy);
    wxGraphicsContext* context =
        wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cairo.get());
    if (!context)
        return false;
    PdfPageDC dc(context);
    PreparePage(printout, dc);
    printout.OnPreparePrinting();
    int minPage = 0, maxPage = 0, fromPage = 0, toPage = 0;
    printout.GetPageInfo(&minPage, &maxPage, &fromPage, &toPage);
    printout.OnBeginPrinting();
    bool printed = printout.OnBeginDocument(fromPage, toPage);
    for (int page = fromPage; printed && page <= toPage && printout.HasPage(page); ++page) {
        printed = printout.OnPrintPage(page);
        dc.GetGraphicsContext()->Flush();
        cairo_show_page(cairo.get());
    }
    printout.OnEndDocument();
    printout.OnEndPrinting();
    printout.SetDC(nullptr);
    cairo_surface_finish(surface.get());
    return printed && cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS;
}

} // namespace tev
