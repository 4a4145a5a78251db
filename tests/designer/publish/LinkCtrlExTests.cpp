#include "designer/publish/LinkCtrlEx.h"
#include "platform/shell/ShellPaths.h"
#include "platform/widgets/EventPump.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/settings.h>

#include <filesystem>
#include <sys/stat.h>

using namespace TEVComponentDesignerAfx;
using tevtest::ReadFileBytes;
using tevtest::ScopedEnv;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace {

bool Near(const wxImage& image, int x, int y, const wxColour& colour, int tolerance) {
    return std::abs(image.GetRed(x, y) - colour.Red()) <= tolerance &&
           std::abs(image.GetGreen(x, y) - colour.Green()) <= tolerance &&
           std::abs(image.GetBlue(x, y) - colour.Blue()) <= tolerance;
}

// How the link looks: pixels painted in a colour, and the longest row of them.
struct Look {
    int pixels = 0;
    int longestRow = 0;
};

Look LookOf(CLinkCtrlEx* link, const wxColour& colour) {
    const wxSize size = link->GetClientSize();
    wxBitmap bitmap(size);
    {
        wxMemoryDC dc(bitmap);
        link->Draw(dc);
    }
    const wxImage image = bitmap.ConvertToImage();
    Look look;
    for (int y = 0; y < size.y; ++y) {
        int row = 0;
        for (int x = 0; x < size.x; ++x) {
            if (Near(image, x, y, colour, 24))
                ++row;
        }
        look.pixels += row;
        look.longestRow = std::max(look.longestRow, row);
    }
    return look;
}

// A link in a frame, and a desktop whose default program for folders (and, where the
// desktop has no type database, its browser) is a script that notes what it was given.
struct Link : testing::Test {
    TempDir dir;
    ScopedEnv desktop{"XDG_CURRENT_DESKTOP", ""};
    ScopedEnv session{"DESKTOP_SESSION", ""};
    ScopedEnv kde{"KDE_FULL_SESSION", ""};
    ScopedEnv gnome{"GNOME_DESKTOP_SESSION_ID", ""};
    ScopedEnv dataHome{"XDG_DATA_HOME", dir / "data"};
    ScopedEnv dataDirs{"XDG_DATA_DIRS", dir / "data"};
    ScopedEnv configHome{"XDG_CONFIG_HOME", dir / "config"};
    ScopedEnv configDirs{"XDG_CONFIG_DIRS", dir / "config"};
    ScopedEnv browser{"BROWSER", dir / "opener.sh"};
    wxFrame* frame = nullptr;
    CLinkCtrlEx* link = nullptr;

    void SetUp() override {
        std::filesystem::create_directories(dir / "data/applications");
        std::filesystem::create_directories(dir / "config");
        std::filesystem::create_directories(dir / "Sites/Spring");
        SetOpenerExit(0);
        ASSERT_TRUE(WriteFileBytes(dir / "data/applications/tevtest-opener.desktop",
                                   "[Desktop Entry]\nType=Application\nName=Opener\nExec=" +
                                       dir / "opener.sh" + " %f\nMimeType=inode/directory;\n"));
        ASSERT_TRUE(WriteFileBytes(dir / "config/mimeapps.list",
                                   "[Default Applications]\n"
                                   "inode/directory=tevtest-opener.desktop\n"));
        frame = new wxFrame(nullptr, wxID_ANY, "link", wxDefaultPosition, wxSize(400, 200));
        auto* panel = new wxPanel(frame);
        link =
            new CLinkCtrlEx(panel, 7522, "Open publish folder", wxPoint(10, 10), wxSize(250, 28));
        frame->Show();
        tev::PumpEventsUntil([this] { return frame->IsShownOnScreen(); }, 3000);
    }
    void TearDown() override {
        frame->Destroy();
        tev::PumpEventsFor(20);
    }
    void SetOpenerExit(int status) {
        // The note appears whole (written aside, then renamed), so a test that sees the file
        // also sees what it says.
        ASSERT_TRUE(WriteFileBytes(dir / "opener.sh",
                                   "#!/bin/sh\nprintf '%s' \"$1\" > '" + dir / "opened.part" +
                                       "' && mv '" + dir / "opened.part" + "' '" + dir / "opened" +
                                       "'\nexit " + std::to_string(status) + "\n"));
        chmod((dir / "opener.sh").c_str(), 0755);
    }
    void Mouse(wxEventType type, wxPoint at = wxPoint(20, 10)) {
        wxMouseEvent event(type);
        event.SetPosition(at);
        event.SetEventObject(link);
        link->GetEventHandler()->ProcessEvent(event);
    }
    bool Opened() {
        return tev::PumpEventsUntil([this] { return tev::FileExists(dir / "opened"); }, 15000);
    }
};

} // namespace

TEST_F(Link, PaintsInTheColourOfItsStateAndUnderlinesWhenHot) {
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    const wxColour hot = wxSystemSettings::GetColour(wxSYS_COLOUR_HOTLIGHT);
    const wxColour grey = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    const wxColour purple(128, 0, 128);
    const int textWidth = link->GetTextExtent("Open publish folder").x;

    const Look normal = LookOf(link, highlight);
    EXPECT_GT(normal.pixels, 40) << "highlight colour " << highlight.GetAsString().utf8_string();
    EXPECT_LT(normal.longestRow, textWidth * 6 / 10) << "no underline";
    EXPECT_EQ(LookOf(link, purple).pixels, 0);

    Mouse(wxEVT_ENTER_WINDOW);
    EXPECT_TRUE(link->IsHot());
    const Look over = LookOf(link, hot);
    EXPECT_GT(over.pixels, 40) << "hot-light colour " << hot.GetAsString().utf8_string();
    EXPECT_GE(over.longestRow, textWidth * 9 / 10) << "underlined";
    Mouse(wxEVT_LEAVE_WINDOW);
    EXPECT_LT(LookOf(link, hot).longestRow, textWidth * 6 / 10);

    link->SetTarget(dir / "Sites/Spring");
    ASSERT_TRUE(link->Open());
    EXPECT_TRUE(link->IsVisited());
    EXPECT_GT(LookOf(link, purple).pixels, 40) << "purple once clicked";
    if (highlight != purple) {
        EXPECT_EQ(LookOf(link, highlight).pixels, 0);
    }

    link->Disable();
    EXPECT_GT(LookOf(link, grey).pixels, 40) << "grey text " << grey.GetAsString().utf8_string();
    EXPECT_EQ(LookOf(link, purple).pixels, 0);
    Mouse(wxEVT_ENTER_WINDOW);
    EXPECT_LT(LookOf(link, grey).longestRow, textWidth * 6 / 10) << "no hover while disabled";
    Opened();
}

TEST_F(Link, AClickOpensTheFolderWithTheDesktopsProgram) {
    const std::string folder = dir / "Sites/Spring";
    link->SetTarget(folder);
    EXPECT_EQ(link->GetToolTipText().utf8_string(), folder);
    EXPECT_FALSE(link->IsVisited());
    TEV_EXPECT_NO_DIALOG({
        Mouse(wxEVT_LEFT_DOWN);
        Mouse(wxEVT_LEFT_UP);
        ASSERT_TRUE(Opened());
    });
    EXPECT_EQ(ReadFileBytes(dir / "opened"), folder);
    EXPECT_TRUE(link->IsVisited());
    EXPECT_EQ(link->GetLastError(), 0);

    // A press that ends outside the link is no click; Space is one.
    std::filesystem::remove(dir / "opened");
    Mouse(wxEVT_LEFT_DOWN);
    Mouse(wxEVT_LEFT_UP, wxPoint(400, 10));
    tev::PumpEventsFor(300);
    EXPECT_FALSE(tev::FileExists(dir / "opened"));
    wxKeyEvent space(wxEVT_KEY_DOWN);
    space.m_keyCode = WXK_SPACE;
    link->GetEventHandler()->ProcessEvent(space);
    ASSERT_TRUE(Opened());
}

TEST_F(Link, WithoutATargetTheTextIsOpened) {
    link->SetLabel(wxString::FromUTF8(dir / "Sites/Spring"));
    EXPECT_EQ(link->GetToolTipText().utf8_string(), dir / "Sites/Spring");
    EXPECT_TRUE(link->Open());
    ASSERT_TRUE(Opened());
    EXPECT_EQ(ReadFileBytes(dir / "opened"), dir / "Sites/Spring");
}

TEST_F(Link, FailuresAreKeptAndNeverShown) {
    bool opened = true;
    link->SetTarget(dir / "Sites/Gone");
    TEV_EXPECT_NO_DIALOG(opened = link->Open());
    EXPECT_FALSE(opened);
    EXPECT_EQ(link->GetLastError(), CLinkCtrlEx::kErrorFileNotFound);
    EXPECT_TRUE(link->IsVisited());

    // The desktop's program fails after it started.
    SetOpenerExit(4);
    link->SetTarget(dir / "Sites/Spring");
    TEV_EXPECT_NO_DIALOG({
        EXPECT_TRUE(link->Open());
        EXPECT_TRUE(tev::PumpEventsUntil([this] { return link->GetLastError() != 0; }, 15000));
    });
    EXPECT_TRUE(tev::FileExists(dir / "opened")) << "it was asked";
}
