#pragma once
// Printing into a PDF file: the printout's pages drawn onto A4 pages of a PDF document as a
// printer would get them, for people to keep or send, and to check what printing gives.
#include <string>

class wxPrintout;

namespace tev {

// False when the file cannot be written or the printout printed nothing.
bool PrintToPdfFile(wxPrintout& printout, const std::string& path);

} // namespace tev
