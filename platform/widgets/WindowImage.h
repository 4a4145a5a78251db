#pragma once
// A picture of a window as it would look on screen, drawn by the toolkit into an image
// rather than read back from the display, so windows that overlap it do not spoil it.
// Used for the pictures of dialogs kept beside the tests and in the documentation.
#include <string>

class wxWindow;

namespace tev {

// Writes the window (without the title bar) as a PNG file; false when the window has no
// size yet or the file cannot be written.
bool SaveWindowImage(wxWindow* window, const std::string& pngPath);

} // namespace tev
