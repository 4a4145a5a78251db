// The Choose Style page in real windows, with pages rendered by the real WebKit, the real
// player and movie from the program's folder and the real protocol handler module.
#include "designer/core/TEVComponentDesignerView.h"
#include "designer/properties/ComponentProtocolBinding.h"
#include "designer/templates/SimpleSplitter.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "designer/templates/TemplateResources.h"
#include "designer/templates/XTHtmlPreviewView.h"
#include "designer/templates/XTHtmlTemplateView.h"
#include "platform/com/ModuleLoader.h"
#include "platform/shell/ShellPaths.h"
#include "platform/web/InternetSession.h"
#include "platform/widgets/EventPump.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/propgrid/propgrid.h>
#include <wx/webview.h>

#include <ctime>
#include <filesystem>

using namespace TEVComponentDesignerAfx;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace {

constexpr int kPageTimeoutMs = 20000;

// Points tev::ProgramFolder() at a folder while alive.
struct ScopedProgramFolder {
    explicit ScopedProgramFolder(const std::string& folder) { tev::OverrideProgramFolder(folder); }
    ~ScopedProgramFolder() { tev::OverrideProgramFolder(""); }
};

// The page, with the calls the gallery and the preview make into it written down.
class WatchedTemplateView : public CTEVComponentDesignerTemplateView {
public:
    void ApplyTemplate(const std::string& path) override {
        applied.push_back(path);
        CTEVComponentDesignerTemplateView::ApplyTemplate(path);
    }
    void SetPropertyFromPreview(const std::string& name, const std::string& category,
                                const CComVariant& value) override {
        fromPreview.push_back(name + "|" + category + "|" + value.ToText());
        CTEVComponentDesignerTemplateView::SetPropertyFromPreview(name, category, value);
    }
    std::vector<std::string> applied;
    std::vector<std::string> fromPreview;
};

// The result of `script` in the browser's current page ("" on a script error).
std::string Eval(CWebBrowser2* browser, const std::string& script) {
    std::string result;
    browser->RunScript(script, &result);
    return result;
}

// Waits until `script` gives `expected`; the last result otherwise.
std::string WaitFor(CWebBrowser2* browser, const std::string& script, const std::string& expected) {
    std::string last;
    tev::PumpEventsUntil(
        [&] {
            last = Eval(browser, script);
            return last == expected;
        },
        kPageTimeoutMs);
    return last;
}

// The state of every calendar the player drew in a page: "state source header".
const char* const kCalendars =
    "Array.prototype.map.call(document.querySelectorAll('.wcal'), function (r) {"
    "  return r.getAttribute('data-state') + ' ' + r.getAttribute('data-source') + ' ' +"
    "         r.style.getPropertyValue('--wcal-header'); }).join(';')";

std::string TodayForData() {
    const std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%m:%d:%Y", std::localtime(&now));
    return text;
}

// The page in a frame, set up as the designer view sets it up, with the calendar component
// of the program's folder and a user templates folder of its own.
struct TemplateFixture : testing::Test {
    TempDir dir;
    ScopedProgramFolder folder{tevtest::ProgramDir()};
    std::string component = tevtest::ProgramDir() + "component/Calendar/componentInfo.xml";
    std::vector<std::string> roots;
    wxFrame* frame = nullptr;
    WatchedTemplateView* view = nullptr;

    void SetUp() override {
        roots = {tevtest::ProgramDir() + "component/Calendar/Templates/", dir / "user/"};
        tev::CreateDirectoryTree(dir / "user");
    }
    void Open(const std::string& descriptor) {
        frame =
            new wxFrame(nullptr, wxID_ANY, "Choose Style", wxDefaultPosition, wxSize(1003, 700));
        view = new WatchedTemplateView;
        view->Create(frame, wxID_ANY, "ComponentDesignerTemplateView");
        frame->Show();
        tev::PumpEventsFor(50);
        view->OnInitialUpdate();
        view->SetComponentPath(descriptor);
        view->SetTemplateRoots(&roots);
        view->RefreshGallery();
    }
    void TearDown() override {
        if (frame)
            frame->Destroy();
        tev::PumpEventsFor(20);
    }
    CWebBrowser2* Gallery() const { return view->GetGalleryView()->GetBrowser(); }
    CTEVComponentPropertyGridView& Grid() const { return view->GetPropertyGridView(); }
    std::string Shown(const std::string& name) const {
        wxPGProperty* item = Grid().FindItem(name);
        return item ? CTEVComponentPropertyGridView::DisplayedValue(item) : "<no item>";
    }
    // An edit in the grid as the user commits it.
    bool Edit(const std::string& name, const wxVariant& value) {
        wxPGProperty* item = Grid().FindItem(name);
        bool taken = false;
        TEV_EXPECT_NO_DIALOG(taken = item && Grid().GetGrid()->ChangePropertyValue(item, value));
        return taken;
    }
    CWebBrowser2* Preview() const { return view->GetPreviewView()->GetBrowser(); }
    // Waits until the preview shows one calendar that has settled, and returns its state.
    std::string PreviewCalendar(const std::string& expected) {
        return WaitFor(Preview(), kCalendars, expected);
    }
};

} // namespace

TEST_F(TemplateFixture, GalleryTopLeftGridPaneBelowPreviewRightAQuarterAcross) {
    Open(component);
    const wxRect left = view->GetOuterSplitter()->GetPaneRect(0);
    const wxRect right = view->GetOuterSplitter()->GetPaneRect(1);
    const int width = view->GetClientSize().x;
    EXPECT_NEAR(left.width, (width - 3) / 4, 1);
    EXPECT_EQ(right.x, left.GetRight() + 1 + 3);
    EXPECT_EQ(view->GetInnerSplitter()->GetRect(), left);
    EXPECT_EQ(view->GetPreviewView()->GetRect(), right);
    EXPECT_EQ(view->GetGalleryView()->GetPosition(), wxPoint(0, 0));
    EXPECT_EQ(view->GetPropertyGridView().GetPosition().y, view->GetGalleryView()->GetSize().y + 3);
    EXPECT_EQ(view->GetPropertyGridView().GetParent(), view->GetInnerSplitter());
    EXPECT_TRUE(view->GetOuterSplitter()->IsSideBySide());
    EXPECT_FALSE(view->GetInnerSplitter()->IsSideBySide());
    EXPECT_EQ(view->GetPreviewView()->GetId(), CSimpleSplitter::PaneId(1));
}

TEST_F(TemplateFixture, TheGalleryShowsEveryStyleWithItsPictureAndName) {
    Open(component);
    const std::string names =
        "Array.prototype.map.call(document.querySelectorAll('#wrapper li'), function (li) {"
        "  var img = li.querySelector('img');"
        "  return li.querySelector('p.name').textContent + (img && img.complete && "
        "         img.naturalWidth > 0 ? '+' : '-'); }).join(',')";
    EXPECT_EQ(WaitFor(Gallery(), names,
                      "Blossom+,Classic+,Forest+,Harbor+,Midnight+,Minimal+,Newsprint+,Tropical+"),
              "Blossom+,Classic+,Forest+,Harbor+,Midnight+,Minimal+,Newsprint+,Tropical+");
    // The cards wrap inside the narrow pane: no card reaches past the page's width.
    EXPECT_EQ(Eval(Gallery(), "Array.prototype.every.call(document.querySelectorAll('#wrapper "
                              "li'), function (li) { return li.getBoundingClientRect().right <= "
                              "document.documentElement.clientWidth; })"),
              "true");
}

TEST_F(TemplateFixture, ClickingAStyleAppliesItsPropsThroughThePage) {
    // A user's style without a picture, under a name that needs care in a page.
    const std::string odd = "Tom's \"Best\" #1 caf\xC3\xA9 & <co>";
    tev::CreateDirectoryTree(dir / ("user/" + odd));
    WriteFileBytes(dir / ("user/" + odd + "/props.xml"),
                   "<flash><UserDefined><Param name=\"HeaderColor\" value=\"0x2E7D32\"/>"
                   "</UserDefined></flash>");
    Open(component);
    ASSERT_EQ(WaitFor(Gallery(), "document.querySelectorAll('#wrapper li').length", "9"), "9");
    Eval(Gallery(), "document.querySelectorAll('#wrapper li a')[2].click()");
    ASSERT_TRUE(tev::PumpEventsUntil([&] { return view->applied.size() == 1; }, kPageTimeoutMs));
    EXPECT_EQ(view->applied[0],
              tevtest::ProgramDir() + "component/Calendar/Templates/Forest/props.xml");
    // Forest's values are in the grid and in the preview.
    EXPECT_EQ(Shown("HeaderHeight"), "46");
    EXPECT_EQ(PreviewCalendar("ready tevabout:props.xml #2f4f3a"),
              "ready tevabout:props.xml #2f4f3a");

    // The live thumbnail plays the style's own values, and a click on it chooses it too.
    EXPECT_EQ(WaitFor(Gallery(),
                      "document.querySelector('a.live .wcal').getAttribute('data-state')", "ready"),
              "ready");
    EXPECT_EQ(Eval(Gallery(), "document.querySelector('a.live .wcal').style.getPropertyValue("
                              "'--wcal-header')"),
              "#2e7d32");
    EXPECT_EQ(Eval(Gallery(), "document.querySelector('a.live').parentNode.querySelector("
                              "'p.name').textContent"),
              odd);
    Eval(Gallery(), "document.querySelector('a.live').click()");
    ASSERT_TRUE(tev::PumpEventsUntil([&] { return view->applied.size() == 2; }, kPageTimeoutMs));
    EXPECT_EQ(view->applied[1], dir / ("user/" + odd + "/props.xml"));
    EXPECT_EQ(PreviewCalendar("ready tevabout:props.xml #2e7d32"),
              "ready tevabout:props.xml #2e7d32");
    EXPECT_EQ(Shown("HeaderHeight"), "46") << "a style changes only what it names";
}

TEST_F(TemplateFixture, AStyleThatSetsTheSizeResizesThePreview) {
    tev::CreateDirectoryTree(dir / "user/Small");
    WriteFileBytes(dir / "user/Small/props.xml",
                   "<flash><UserDefined><Param name=\"Width\" value=\"300\"/>"
                   "<Param name=\"Height\" value=\"240\"/></UserDefined></flash>");
    Open(component);
    ASSERT_EQ(WaitFor(Gallery(), "document.querySelectorAll('a.live').length", "1"), "1");
    Eval(Gallery(), "document.querySelector('a.live').click()");
    ASSERT_TRUE(tev::PumpEventsUntil([&] { return !view->applied.empty(); }, kPageTimeoutMs));
    EXPECT_EQ(Shown("Width"), "300");
    EXPECT_EQ(Shown("Height"), "240");
    const std::string size = "(function () { var r = document.getElementById('preview')"
                             ".getBoundingClientRect(); return r.width + 'x' + r.height; })()";
    EXPECT_EQ(WaitFor(Preview(), size, "300x240"), "300x240");
    EXPECT_TRUE(view->fromPreview.empty()) << "applied values are not brought along";
}

TEST_F(TemplateFixture, AColourChangedInTheGridShowsInThePreview) {
    Open(component);
    ASSERT_EQ(PreviewCalendar("ready tevabout:props.xml #2f5d8c"),
              "ready tevabout:props.xml #2f5d8c");
    wxVariant colour;
    colour << wxColour(0x11, 0x22, 0x33);
    ASSERT_TRUE(Edit("HeaderColor", colour));
    EXPECT_EQ(PreviewCalendar("ready tevabout:props.xml #112233"),
              "ready tevabout:props.xml #112233");
}

TEST_F(TemplateFixture, ThePreviewMovieReadsThePushedValuesThroughTheAboutScheme) {
    Open(component);
    ASSERT_NE(view->GetPreviewView()->GetAboutFactory(), nullptr);
    EXPECT_TRUE(tev::InternetSession::Instance().IsRegistered("about"));

    CComponentProtocolBinding grid;
    ASSERT_TRUE(grid.Push(&ITEVComponentProtocol::SetUserDefinedXml,
                          "<Param name=\"HeaderColor\" value=\"0x2E7D32\"/>"
                          "<Param name=\"Title\" value=\"Choir\"/>"));
    const std::string day = TodayForData();
    view->SetDataXml("<Data><Events><Event EventID=\"1\" StartTime=\"" + day +
                     " 10:00\" EndTime=\"" + day +
                     " 11:00\" Subject=\"Rehearsal\" AllDayEvent=\"0\" BusyStatus=\"Busy\"/>"
                     "</Events></Data>");
    view->RefreshPreview();
    EXPECT_EQ(PreviewCalendar("ready tevabout:props.xml #2e7d32"),
              "ready tevabout:props.xml #2e7d32");
    // The calendar is drawn in that colour, with the pushed event, centred at its size.
    EXPECT_EQ(Eval(Preview(), "getComputedStyle(document.querySelector('.wcal-header') || "
                              "document.querySelector('[class*=header]')).backgroundColor"),
              "rgb(46, 125, 50)");
    EXPECT_EQ(WaitFor(Preview(),
                      "Array.prototype.map.call(document.querySelectorAll('.wcal-chip'),"
                      " function (c) { return c.title; }).join()",
                      "Rehearsal"),
              "Rehearsal");
    const std::string box = Eval(
        Preview(), "(function () { var r = document.getElementById('preview')"
                   ".getBoundingClientRect(); return [r.width, r.height, Math.round(r.left + "
                   "r.width / 2 - innerWidth / 2), Math.round(r.top + r.height / 2 - innerHeight "
                   "/ 2)].join(); })()");
    EXPECT_TRUE(box == "500,400,0,0" || box == "500,400,0,1" || box == "500,400,1,0" ||
                box == "500,400,1,1")
        << box;
}

TEST_F(TemplateFixture, WithTheLockOnANewWidthBringsTheHeightAlong) {
    Open(component); // 500 x 400, the lock on
    ASSERT_EQ(Shown("Aspect ratio"), "True");
    ASSERT_TRUE(Edit("Width", wxVariant(750L)));
    EXPECT_EQ(view->fromPreview, (std::vector<std::string>{"Height|Project Properties|600"}));
    EXPECT_EQ(Shown("Height"), "600");
    const std::string size = "(function () { var r = document.getElementById('preview')"
                             ".getBoundingClientRect(); return r.width + 'x' + r.height; })()";
    EXPECT_EQ(WaitFor(Preview(), size, "750x600"), "750x600");
    const std::string page = view->GetHtmlCode();
    EXPECT_NE(page.find("\"750\", \"600\""), std::string::npos);
    EXPECT_NE(page.find("max-width: 750px;\r\n  height: 600px;"), std::string::npos);
    EXPECT_NE(view->GetUserDefinedXml().find("<Param name=\"Height\" value=\"600\"/>"),
              std::string::npos);

    ASSERT_TRUE(Edit("Aspect ratio", wxVariant(false)));
    ASSERT_TRUE(Edit("Height", wxVariant(100L)));
    EXPECT_EQ(view->fromPreview.size(), 1u) << "unlocked: nothing brought along";
    EXPECT_EQ(Shown("Width"), "750");
    EXPECT_EQ(WaitFor(Preview(), size, "750x100"), "750x100");
    // Locked again, the height follows the proportion the component had.
    ASSERT_TRUE(Edit("Aspect ratio", wxVariant(true)));
    EXPECT_EQ(Shown("Height"), "600");
}

TEST_F(TemplateFixture, NoMenusNoDialogsAndOnlyTheGalleryHasAnExternalObject) {
    Open(component);
    EXPECT_EQ(Gallery()->GetName(), "XTHtmlTemplateView");
    EXPECT_EQ(Preview()->GetName(), "XTHtmlPreviewView");
    EXPECT_EQ(WaitFor(Gallery(), "typeof window.external.ChangeTemplate", "function"), "function");
    EXPECT_EQ(WaitFor(Preview(), "JSON.stringify(Object.keys(window.external || {}))", "[]"), "[]");
    for (CWebBrowser2* browser : {Gallery(), Preview()}) {
        ASSERT_NE(browser->GetBrowser(), nullptr);
        EXPECT_FALSE(browser->GetBrowser()->IsContextMenuEnabled());
    }
    // A message box in a page returns at once instead of waiting for a user.
    EXPECT_EQ(Eval(Preview(), "alert('x'); confirm('y') ? 'yes' : 'no'"), "no");
}

TEST_F(TemplateFixture, WithoutTheHandlerModuleTheMovieRunsWithItsDefaults) {
    // A program folder with the player but without TEVComponentAPP.so.
    TempDir program;
    tev::CopyFileOver(tevtest::ProgramDir() + "swfobject.js", program / "swfobject.js");
    ScopedProgramFolder withoutHandler(program.path());
    Open(component);
    EXPECT_EQ(view->GetPreviewView()->GetAboutFactory(), nullptr);
    EXPECT_FALSE(tev::InternetSession::Instance().IsRegistered("about"));
    view->SetDataXml("<Data/>"); // skipped quietly
    EXPECT_EQ(PreviewCalendar("defaults tevabout:props.xml #2f5d8c"),
              "defaults tevabout:props.xml #2f5d8c");
}

TEST_F(TemplateFixture, BrokenStylesAndAMissingMovieShowWhatTheyCan) {
    tev::CreateDirectoryTree(dir / "user/NoProps");
    tev::CreateDirectoryTree(dir / "user/NotXml");
    WriteFileBytes(dir / "user/NotXml/props.xml", "this is <not xml");
    // A component whose movie is missing.
    tev::CreateDirectoryTree(dir / "component");
    WriteFileBytes(dir / "component/componentInfo.xml",
                   "<Component><Flash path=\"Gone.js\" width=\"300\" height=\"200\"/></Component>");
    roots[0] = dir / "component/Templates/";
    Open(dir / "component/componentInfo.xml");

    ASSERT_EQ(WaitFor(Gallery(), "document.querySelectorAll('#wrapper p.name').length", "2"), "2");
    // Both play the movie's defaults in a 125 x 83 thumbnail (the movie is 300 x 200)...
    EXPECT_EQ(WaitFor(Gallery(),
                      "Array.prototype.map.call(document.querySelectorAll('[data-tev-stage]'), "
                      "function (s) { var r = s.getBoundingClientRect(); "
                      "return Math.round(r.width) + 'px ' + Math.round(r.height) + 'px'; }).join()",
                      "125px 83px,125px 83px"),
              "125px 83px,125px 83px");
    Eval(Gallery(), "document.querySelectorAll('#wrapper li a')[0].click()");
    ASSERT_TRUE(tev::PumpEventsUntil([&] { return !view->applied.empty(); }, kPageTimeoutMs));
    EXPECT_EQ(view->applied[0], dir / "user/NoProps/props.xml");

    // ...and the preview says that the movie is missing.
    EXPECT_EQ(
        WaitFor(Preview(), "document.body.textContent.indexOf('could not be loaded') >= 0", "true"),
        "true");
    EXPECT_EQ(view->GetFlashComponentPath(), dir / "component/Gone.js");
    EXPECT_NE(view->GetHtmlCode().find("new SWFObject(\"{ComponentPath}\", \"flash\", \"300\", "
                                       "\"200\""),
              std::string::npos);
}

TEST(WebBrowser2, APageWrittenTwiceShowsOnceAndAlwaysWithThePlayer) {
    ScopedProgramFolder folder(tevtest::ProgramDir());
    auto* frame = new wxFrame(nullptr, wxID_ANY, "browser", wxDefaultPosition, wxSize(400, 300));
    auto* browser = new CWebBrowser2;
    ASSERT_TRUE(browser->Create("XTHtmlPreviewView", 0, wxRect(0, 0, 400, 300), frame, 100));
    frame->Show();
    ASSERT_TRUE(browser->HasBrowser());
    const std::string marks = "document.querySelectorAll('p.mark').length + ' ' + typeof TEVPlayer";
    browser->ClearDocument();
    EXPECT_TRUE(browser->IsBusy()) << "the page waits for the browser's first document";
    for (int build = 0; build < 2; ++build) {
        browser->ClearDocument();
        browser->WriteDocument("<html><body><p class=\"mark\">one</p>");
        browser->WriteDocument("<p class=\"mark\">two</p></body></html>");
    }
    EXPECT_EQ(WaitFor(browser, marks, "2 object"), "2 object");
    EXPECT_EQ(browser->GetDocumentText(),
              "<html><body><p class=\"mark\">one</p><p class=\"mark\">two</p></body></html>");
    browser->ClearDocument();
    EXPECT_EQ(WaitFor(browser, marks, "0 object"), "0 object");
    frame->Destroy();
    tev::PumpEventsFor(20);
}

TEST(WebBrowser2, ThePlayerComesFromTheProgramFolderOrElseFromTheLibrary) {
    TempDir program;
    ASSERT_TRUE(WriteFileBytes(program / "swfobject.js", "/* beside the program */"));
    {
        ScopedProgramFolder folder(program.path());
        EXPECT_EQ(CWebBrowser2::PlayerScript(), "/* beside the program */");
    }
    TempDir empty;
    ScopedProgramFolder folder(empty.path());
    const std::string builtIn = CWebBrowser2::PlayerScript();
    EXPECT_EQ(builtIn, std::string(TemplateResource(IDR_JS_SWFOBJECT)));
    EXPECT_NE(builtIn.find("function SWFObject("), std::string::npos);
}

TEST(SimpleSplitter, DraggingTheBarMovesItWithinTheMinimumsAndKeepsTheShare) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "splitter", wxDefaultPosition, wxSize(600, 300));
    auto* host = new wxPanel(frame);
    frame->Show();
    tev::PumpEventsFor(50);
    auto* splitter = new CSimpleSplitter(2, CSimpleSplitter::kSideBySide, 50, 3);
    ASSERT_TRUE(splitter->Create(host, 7));
    auto* left = new wxPanel(splitter, CSimpleSplitter::PaneId(0));
    auto* right = new wxPanel(splitter, CSimpleSplitter::PaneId(1));
    splitter->SetPane(0, left);
    splitter->SetPane(1, right);
    splitter->SetSize(0, 0, 403, 200);
    ASSERT_EQ(left->GetRect(), wxRect(0, 0, 200, 200));
    ASSERT_EQ(right->GetRect(), wxRect(203, 0, 200, 200));

    auto mouse = [&](wxEventType type, int x) {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(x, 100));
        event.SetEventObject(splitter);
        splitter->ProcessWindowEvent(event);
    };
    mouse(wxEVT_LEFT_DOWN, 201);
    ASSERT_NE(splitter->GetTracker(), nullptr);
    mouse(wxEVT_MOTION, 121);
    EXPECT_EQ(splitter->GetTracker()->GetRect(), wxRect(120, 0, 3, 200));
    mouse(wxEVT_MOTION, 11); // the left pane keeps its 50 pixels
    EXPECT_EQ(splitter->GetTracker()->GetRect(), wxRect(50, 0, 3, 200));
    mouse(wxEVT_MOTION, 101);
    mouse(wxEVT_LEFT_UP, 101);
    EXPECT_EQ(splitter->GetTracker(), nullptr);
    EXPECT_FALSE(splitter->HasCapture());
    EXPECT_EQ(left->GetRect(), wxRect(0, 0, 100, 200));
    EXPECT_EQ(right->GetRect(), wxRect(103, 0, 300, 200));
    // The new share holds when the splitter grows.
    splitter->SetSize(0, 0, 803, 200);
    EXPECT_EQ(left->GetRect(), wxRect(0, 0, 200, 200));
    EXPECT_EQ(right->GetRect(), wxRect(203, 0, 600, 200));
    frame->Destroy();
    tev::PumpEventsFor(20);
}

TEST(DesignerView, TheChooseStylePageIsBuiltInOrderAndPublishesTheIndexPage) {
    TempDir home;
    tevtest::ScopedEnv documents("XDG_DOCUMENTS_DIR", home / "docs");
    tevtest::ScopedEnv userData("XDG_DATA_HOME", home / "data");
    tevtest::ScopedRegistry registry;
    ScopedProgramFolder folder(tevtest::ProgramDir());
    auto* frame = new wxFrame(nullptr, wxID_ANY, "designer", wxDefaultPosition, wxSize(900, 650));
    auto* designer = new CTEVComponentDesignerView(true, false);
    designer->SetProjectExtension("kcd");
    designer->SetProjectType("Quorvane Web Calendar");
    designer->SetComponentPath(tevtest::ProgramDir() + "component/Calendar/componentInfo.xml");
    designer->SetIndexHtmlFileName("MyCalendar.html");
    designer->Create(frame, 101, wxRect(0, 0, 900, 650));
    frame->Show();
    designer->CreateNew();
    CTEVComponentDesignerTemplateView* page = designer->GetTemplateView();
    ASSERT_NE(page, nullptr);

    // The handler was registered before the component was read: it has the folder.
    EXPECT_NE(page->GetPreviewView()->GetAboutFactory(), nullptr);
    tev::InternetResponse css;
    EXPECT_EQ(tev::InternetSession::Instance().Resolve("about:WebCalendar.css", css), S_OK);
    EXPECT_FALSE(css.content.empty());
    // The gallery was built with the template roots.
    CWebBrowser2* gallery = page->GetGalleryView()->GetBrowser();
    EXPECT_EQ(WaitFor(gallery, "document.querySelectorAll('#wrapper li').length", "8"), "8");
    EXPECT_EQ(WaitFor(page->GetPreviewView()->GetBrowser(),
                      "document.querySelectorAll('.wcal').length", "1"),
              "1");

    TempDir projects;
    tev::CreateDirectoryTree(projects / "Spring");
    designer->SaveProject(projects.path(), "Spring");
    const std::string index = designer->GetHtmlCode();
    EXPECT_NE(index.find("var so = new SWFObject(\"WebCalendar.js\", \"flash\", \"500\", \"400\""),
              std::string::npos)
        << index;
    EXPECT_NE(index.find("so.addVariable(\"tev_xmlConnectorURL\", \"Spring.xml\");"),
              std::string::npos);
    EXPECT_EQ(designer->GetFlashComponentPath(),
              tevtest::ProgramDir() + "component/Calendar/WebCalendar.js");
    frame->Destroy();
    tev::PumpEventsFor(20);
    EXPECT_FALSE(tev::InternetSession::Instance().IsRegistered("about"))
        << "the preview gives the namespace up when it goes";
}
