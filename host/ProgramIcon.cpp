#include "host/ProgramIcon.h"

#include "resources/host/HostImages.h"

#include <wx/image.h>
#include <wx/mstream.h>

#include <cstdlib>

namespace tev::host {
namespace {

wxImage LoadImage(int size) {
    const std::string_view bytes = HostImage(ProgramIconImageId(size));
    if (bytes.empty())
        return {};
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    wxImage image;
    if (!image.LoadFile(stream, wxBITMAP_TYPE_PNG))
        return {};
    return image;
}

} // namespace

wxIconBundle ProgramIcons() {
    wxIconBundle bundle;
    for (const int size : kProgramIconSizes) {
        const wxImage image = LoadImage(size);
        if (!image.IsOk())
            continue;
        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap(image));
        bundle.AddIcon(icon);
    }
    return bundle;
}

wxBitmap ProgramIconBitmap(int size) {
    int best = 0;
    for (const int candidate : kProgramIconSizes) {
        if (best == 0 || std::abs(candidate - size) < std::abs(best - size))
            best = candidate;
    }
    wxImage image = LoadImage(best);
    if (!image.IsOk())
        return {};
    if (best != size)
        image.Rescale(size, size, wxIMAGE_QUALITY_HIGH);
    return wxBitmap(image);
}

} // namespace tev::host
