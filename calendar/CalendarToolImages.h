#pragma once
// The 16 x 16 images of the calendar's toolbar, one per command.
#include <wx/bitmap.h>

// The image for a toolbar command; an empty calendar sheet for commands without one.
wxBitmap CalendarToolImage(int commandId);
