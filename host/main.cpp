// The program's entry point. The registration switches end the program before the toolkit
// starts, so they need no display and show no window.
#include "host/TEVCalendarApp.h"

wxIMPLEMENT_APP_NO_MAIN(CTEVCalendarApp);

int main(int argc, char** argv) {
    if (CTEVCalendarApp::HandleRegistrationSwitches(argc, argv))
        return 0;
    return wxEntry(argc, argv);
}
