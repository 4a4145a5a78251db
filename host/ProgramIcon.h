#pragma once
// The program icon (resource 128), from the images compiled into the program.
#include <wx/bitmap.h>
#include <wx/iconbndl.h>

namespace tev::host {

// Every size of the icon, for the main window's big and small icons.
wxIconBundle ProgramIcons();
// The icon at `size` pixels (the nearest size there is, scaled); invalid when none loads.
wxBitmap ProgramIconBitmap(int size);

} // namespace tev::host
