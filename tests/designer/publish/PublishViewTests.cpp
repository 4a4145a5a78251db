#include "designer/publish/LinkCtrlEx.h"
#include "designer/publish/TEVComponentDesignerPublishView.h"
#include "platform/widgets/EventPump.h"
#include "resources/designer/PublishResource.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace TEVComponentDesignerAfx;
using namespace tev::designer;
using tevtest::CountOf;
using tevtest::ListBoxItems;

namespace {

using Files = std::vector<std::string>;

std::string Label(wxWindow* control) {
    std::string text = control->GetLabel().utf8_string();
    // A wrapped hint breaks its lines where blanks were.
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// The page on its own in a frame, created at the size of its form, for the calendar
// component the build lays out beside the program.
struct PublishPage : testing::Test {
    wxFrame* frame = nullptr;
    CTEVComponentDesignerPublishView* page = nullptr;
    wxSize formSize;

    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "publish", wxDefaultPosition, wxSize(900, 700));
        formSize = tev::DialogUnitsToPixels(frame, kPublishViewWidthDu, kPublishViewHeightDu);
        // A frame's only child would be stretched over the whole frame.
        auto* host = new wxPanel(frame);
        page = new CTEVComponentDesignerPublishView;
        page->SetComponentPath(tevtest::ProgramDir() + "component/Calendar/componentInfo.xml");
        page->SetProjectName("project");
        ASSERT_TRUE(page->Create(host, wxID_ANY, wxRect(wxPoint(0, 0), formSize), "publish"));
        frame->Show();
        tev::PumpEventsUntil([this] { return frame->IsShownOnScreen(); }, 3000);
    }
    void TearDown() override {
        frame->Destroy();
        tev::PumpEventsFor(20);
    }
    template <typename T> T* Control(int id) {
        auto* control = dynamic_cast<T*>(page->FindWindow(id));
        EXPECT_NE(control, nullptr) << id;
        return control;
    }
    wxRect Du(const DialogUnitRect& r) {
        return tev::DialogUnitsToPixels(page, r.x, r.y, r.width, r.height);
    }
    void Click(int id) {
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(page->FindWindow(id));
        page->FindWindow(id)->ProcessWindowEvent(click);
    }
};

} // namespace

TEST_F(PublishPage, TheFormHoldsItsControlsWhereTheTemplatePutsThem) {
    struct Case {
        int id;
        DialogUnitRect rect;
        const char* text;
    };
    const Case cases[] = {
        {IDC_REQUIRED_FILES_GROUP, {7, 7, 142, 215}, "Required Files"},
        {IDC_OPEN_PUBLISH_FOLDER, {14, 21, 126, 14}, "Open publish folder"},
        {IDC_REQUIRED_FILES, {14, 41, 126, 154}, nullptr},
        {IDC_PUBLISH, {43, 201, 65, 14}, "&Publish..."},
        {IDC_HTML_GROUP, {158, 7, 155, 215}, "HTML"},
        {IDC_HTML_HINT,
         {167, 19, 138, 36},
         "Copy and paste this code on every page  you want your calendar to appear"},
        {IDC_HTML_CODE, {165, 57, 139, 138}, nullptr},
        {IDC_COPY_TO_CLIPBOARD, {197, 201, 65, 14}, "&Copy to Clipboard"},
    };
    for (const Case& c : cases) {
        wxWindow* control = page->FindWindow(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_EQ(control->GetRect(), Du(c.rect)) << c.id;
        if (c.text) {
            EXPECT_EQ(Label(control), c.text) << c.id;
        }
    }
    EXPECT_NE(Control<wxStaticBox>(IDC_REQUIRED_FILES_GROUP), nullptr);
    EXPECT_NE(Control<wxStaticBox>(IDC_HTML_GROUP), nullptr);
    EXPECT_NE(Control<CLinkCtrlEx>(IDC_OPEN_PUBLISH_FOLDER), nullptr);
    EXPECT_NE(Control<wxStaticText>(IDC_HTML_HINT), nullptr);
    wxListBox* list = Control<wxListBox>(IDC_REQUIRED_FILES);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->HasFlag(wxLB_SORT));
    wxTextCtrl* edit = Control<wxTextCtrl>(IDC_HTML_CODE);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->IsMultiLine());
    EXPECT_FALSE(edit->IsEditable());
    EXPECT_TRUE(edit->HasFlag(wxTE_DONTWRAP)) << "scrolls sideways rather than wrapping";
}

TEST_F(PublishPage, ControlsFollowTheirAnchorsWhenTheFormGrows) {
    std::vector<std::pair<int, wxRect>> before;
    for (int id :
         {IDC_REQUIRED_FILES_GROUP, IDC_OPEN_PUBLISH_FOLDER, IDC_REQUIRED_FILES, IDC_PUBLISH,
          IDC_HTML_GROUP, IDC_HTML_HINT, IDC_HTML_CODE, IDC_COPY_TO_CLIPBOARD})
        before.emplace_back(id, page->FindWindow(id)->GetRect());
    page->SetSize(formSize + wxSize(200, 120));

    // (left, top, width, height) moves for 200 more pixels across and 120 down.
    struct Move {
        int id;
        int dx, dy, dw, dh;
    };
    const Move moves[] = {
        {IDC_REQUIRED_FILES_GROUP, 0, 0, 100, 120}, {IDC_REQUIRED_FILES, 0, 0, 100, 120},
        {IDC_OPEN_PUBLISH_FOLDER, 0, 0, 0, 0},      {IDC_PUBLISH, 0, 120, 100, 0},
        {IDC_HTML_GROUP, 100, 0, 100, 120},         {IDC_HTML_HINT, 100, 0, 100, 120},
        {IDC_HTML_CODE, 100, 0, 100, 120},          {IDC_COPY_TO_CLIPBOARD, 100, 120, 100, 0},
    };
    for (const Move& m : moves) {
        const wxRect old = std::find_if(before.begin(), before.end(), [&](const auto& entry) {
                               return entry.first == m.id;
                           })->second;
        const wxRect now = page->FindWindow(m.id)->GetRect();
        EXPECT_EQ(now, wxRect(old.x + m.dx, old.y + m.dy, old.width + m.dw, old.height + m.dh))
            << m.id;
    }
}

TEST_F(PublishPage, PublishingControlsAreEnabledOnlyWithAPublishFolder) {
    const int publishing[] = {
        IDC_REQUIRED_FILES_GROUP, IDC_OPEN_PUBLISH_FOLDER, IDC_REQUIRED_FILES,   IDC_PUBLISH,
        IDC_HTML_GROUP,           IDC_HTML_CODE,           IDC_COPY_TO_CLIPBOARD};
    auto expectEnabled = [&](bool enabled, const char* when) {
        for (int id : publishing)
            EXPECT_EQ(page->FindWindow(id)->IsEnabled(), enabled) << id << " " << when;
        EXPECT_TRUE(page->FindWindow(IDC_HTML_HINT)->IsEnabled()) << "the hint is left alone";
    };
    expectEnabled(false, "when first shown");
    EXPECT_FALSE(page->IsPublishEnabled());

    page->SetPublishFolder("/home/me/Sites/Spring");
    expectEnabled(true, "with a folder");
    EXPECT_EQ(page->GetPublishFolderLink()->GetTarget(), "/home/me/Sites/Spring");
    EXPECT_EQ(page->GetPublishFolderLink()->GetToolTipText(), "/home/me/Sites/Spring");

    page->SetPublishFolder("");
    expectEnabled(false, "after New");
    EXPECT_EQ(page->GetPublishFolderLink()->GetToolTipText(), "Open publish folder")
        << "without a target the tooltip shows the text";
}

TEST_F(PublishPage, RequiredFilesShowSortedAndEmptyForNone) {
    const Files files{"swfobject.js", "WebCalendar.js", "WebCalendar.css", "Spring.xml",
                      "MyCalendar.html"};
    page->RefreshPublishInfo(&files, nullptr);
    EXPECT_EQ(ListBoxItems(page->GetRequiredFilesList()),
              (Files{"MyCalendar.html", "Spring.xml", "swfobject.js", "WebCalendar.css",
                     "WebCalendar.js"}));
    const Files reversed(files.rbegin(), files.rend());
    page->RefreshPublishInfo(&reversed, nullptr);
    EXPECT_EQ(ListBoxItems(page->GetRequiredFilesList())[0], "MyCalendar.html");
    EXPECT_EQ(ListBoxItems(page->GetRequiredFilesList()).size(), 5u);

    page->RefreshPublishInfo(nullptr, nullptr);
    EXPECT_EQ(ListBoxItems(page->GetRequiredFilesList()), Files{});
}

TEST_F(PublishPage, TheHintNamesTheFilesBesideThePage) {
    const std::string hint =
        "Copy and paste this code on every page  you want your calendar to appear";
    const Files files{"swfobject.js", "WebCalendar.js", "WebCalendar.css", "Spring.xml",
                      "MyCalendar.html"};
    page->RefreshPublishInfo(&files, nullptr);
    EXPECT_EQ(Label(page->FindWindow(IDC_HTML_HINT)),
              hint + ", with these files beside it: Spring.xml, swfobject.js, WebCalendar.css, "
                     "WebCalendar.js");
    page->RefreshPublishInfo(nullptr, nullptr);
    EXPECT_EQ(Label(page->FindWindow(IDC_HTML_HINT)), hint) << "a new project has no files";
}

TEST_F(PublishPage, TheHtmlBoxFollowsNameSizeAndTheComponent) {
    page->RefreshPublishInfo(nullptr, nullptr);
    std::string code = page->GetHtmlCode();
    EXPECT_EQ(CountOf(code, "WIDTH=\"500\" HEIGHT=\"400\""), 2u) << code;
    EXPECT_EQ(CountOf(code, "\"WebCalendar.js\""), 2u) << code;
    EXPECT_EQ(CountOf(code, "tev_xmlConnectorURL=project.xml\""), 2u) << code;
    EXPECT_EQ(CountOf(code, "\r\n"), 8u) << "the box keeps the fragment's line ends";

    page->SetProjectName("Spring");
    EXPECT_EQ(CountOf(page->GetHtmlCode(), "tev_xmlConnectorURL=Spring.xml\""), 2u);

    page->OnPropertyChanged("Width", "Project Properties", CComVariant(640));
    page->OnPropertyChanged("width", "Project Properties", CComVariant(10));
    page->OnPropertyChanged("Height", "Project Properties", CComVariant("333"));
    code = page->GetHtmlCode();
    EXPECT_EQ(CountOf(code, "WIDTH=\"640\" HEIGHT=\"333\""), 2u) << code;
    EXPECT_EQ(code, page->BuildHtmlCode());
}

TEST_F(PublishPage, CopyToClipboardPutsTheFragmentOnItAsPlainText) {
    page->RefreshPublishInfo(nullptr, nullptr);
    page->SetPublishFolder("/tmp");
    if (wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxTextDataObject("something else"));
        wxTheClipboard->Close();
    }
    Click(IDC_COPY_TO_CLIPBOARD);
    ASSERT_TRUE(wxTheClipboard->Open());
    EXPECT_TRUE(wxTheClipboard->IsSupported(wxDF_UNICODETEXT));
    wxTextDataObject text;
    EXPECT_TRUE(wxTheClipboard->GetData(text));
    wxTheClipboard->Close();
    EXPECT_EQ(text.GetText().utf8_string(), page->BuildHtmlCode());
}
