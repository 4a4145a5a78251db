#include "host/TEVCalendarDlg.h"

#include <gtest/gtest.h>

TEST(MainWindowSize, TheWindowOpensAndShrinksWithinTheScreen) {
    struct Case {
        const char* what;
        wxSize area;
        wxSize initial;
        wxSize minimum;
    };
    const wxSize designed(988, 788);
    const wxSize least(736, 540);
    const Case cases[] = {
        {"a large screen", {1600, 1200}, designed, least},
        {"a laptop", {1366, 740}, {988, 740}, least},
        {"1024 x 700 less a panel", {1024, 672}, {988, 672}, least},
        {"a screen smaller than the least size", {640, 480}, {640, 480}, {640, 480}},
    };
    for (const Case& c : cases) {
        const CTEVCalendarDlg::WindowSizes sizes =
            CTEVCalendarDlg::FitToScreen(designed, least, c.area);
        EXPECT_EQ(sizes.initial, c.initial) << c.what;
        EXPECT_EQ(sizes.minimum, c.minimum) << c.what;
    }
}
