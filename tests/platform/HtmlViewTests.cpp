#include "platform/web/HtmlView.h"
#include "platform/widgets/EventPump.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/filesys.h>
#include <wx/frame.h>
#include <wx/sstream.h>
#include <wx/webview.h>

#include <fstream>

namespace {

constexpr int kPageTimeoutMs = 15000;

// A hosting window with a dispatch table, as the gallery view will be.
class HostWindow : public wxFrame, public tev::ExternalDispatchHost {
public:
    HostWindow() : wxFrame(nullptr, wxID_ANY, "host", wxDefaultPosition, wxSize(500, 300)) {
        m_table.Add("Report", [this](const tev::ExternalArgs& args) {
            std::string line;
            for (const CComVariant& arg : args)
                line += (line.empty() ? "" : "|") + Describe(arg);
            calls.push_back(line);
        });
    }
    const tev::DispatchTable* GetExternalDispatch() const override { return &m_table; }

    static std::string Describe(const CComVariant& arg) {
        switch (arg.vt) {
        case VT_BOOL:
            return arg.boolVal ? "true" : "false";
        case VT_NULL:
            return "null";
        default:
            return arg.ToText();
        }
    }

    std::vector<std::string> calls;

private:
    tev::DispatchTable m_table;
};

struct HostFixture : testing::Test {
    HostWindow* host = new HostWindow;
    tev::HtmlView* view = nullptr;
    void SetUp() override {
        view = new tev::HtmlView(host, wxID_ANY, "view");
        host->Show();
        ASSERT_TRUE(view->HasBrowser());
    }
    void TearDown() override {
        host->Destroy();
        tev::PumpEventsFor(20);
    }
    bool WaitForCalls(size_t count) {
        return tev::PumpEventsUntil([&] { return host->calls.size() >= count; }, kPageTimeoutMs);
    }
    bool WaitForLoad(int loadsBefore) {
        return tev::PumpEventsUntil(
            [&] { return view->LoadCount() > loadsBefore && !view->IsBusy(); }, kPageTimeoutMs);
    }
};

} // namespace

TEST_F(HostFixture, ScriptMessageBoxesShowNothingAndReturnAtOnce) {
    // If alert waited for a user, the report after it would never arrive.
    view->SetPage("<html><body><script>"
                  "alert('hello');"
                  "var c = confirm('sure?');"
                  "var p = prompt('name', 'x');"
                  "window.external.Report('after dialogs', c, p);"
                  "</script></body></html>");
    ASSERT_TRUE(WaitForCalls(1));
    EXPECT_EQ(host->calls[0], "after dialogs|false|null");
    EXPECT_FALSE(view->GetBrowser()->IsContextMenuEnabled());
}

TEST_F(HostFixture, ExternalCallsReachTheHostsTableWithTheirArguments) {
    view->SetPage("<html><body><script>"
                  "window.external.Report('C:/T/Blue/props.xml');"
                  "window.external.Report(1, 2.5, true, null, 'caf\xC3\xA9');"
                  "window.webkit.messageHandlers.tevExternal.postMessage('garbage');"
                  "window.webkit.messageHandlers.tevExternal.postMessage("
                  "  JSON.stringify({method: 'Unknown', args: []}));"
                  "window.external.Report(typeof window.external.Unknown);"
                  "</script></body></html>");
    ASSERT_TRUE(WaitForCalls(3));
    tev::PumpEventsFor(200);
    EXPECT_EQ(host->calls, (std::vector<std::string>{"C:/T/Blue/props.xml",
                                                     "1|2.5|true|null|caf\xC3\xA9", "undefined"}));
}

TEST_F(HostFixture, ATableSetLaterAppliesFromTheNextPage) {
    tev::DispatchTable other;
    std::vector<std::string> seen;
    other.Add("Other", [&](const tev::ExternalArgs& args) { seen.push_back(args[0].ToText()); });
    view->SetExternalDispatch(&other);
    view->SetPage("<html><body><script>"
                  "window.external.Other(typeof window.external.Report);"
                  "</script></body></html>");
    ASSERT_TRUE(tev::PumpEventsUntil([&] { return !seen.empty(); }, kPageTimeoutMs));
    EXPECT_EQ(seen[0], "undefined");
    EXPECT_TRUE(host->calls.empty());
}

TEST_F(HostFixture, AddedUserScriptsRunFirstInEveryPageAndOutliveANewTable) {
    // The script sees `window.external` already there, and the page sees the script's work.
    view->AddUserScript("window.tevAdded = (window.tevAdded || 0) + 1;"
                        "window.tevSawExternal = typeof window.external.Report;");
    const std::string page = "<html><body><script>window.external.Report(window.tevAdded + ' ' + "
                             "window.tevSawExternal)</script></body></html>";
    view->SetPage(page);
    ASSERT_TRUE(WaitForCalls(1));
    tev::DispatchTable other;
    other.Add("Report", [this](const tev::ExternalArgs& args) {
        host->calls.push_back("other " + args[0].ToText());
    });
    view->SetExternalDispatch(&other);
    view->SetPage(page);
    ASSERT_TRUE(WaitForCalls(2));
    EXPECT_EQ(host->calls, (std::vector<std::string>{"1 function", "other 1 function"}));
}

TEST(HtmlViewWithoutTable, ExternalIsAnEmptyObject) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "plain", wxDefaultPosition, wxSize(300, 200));
    auto* view = new tev::HtmlView(frame, wxID_ANY, "plain");
    frame->Show();
    const int loads = view->LoadCount();
    view->SetPage("<html><body>plain</body></html>");
    ASSERT_TRUE(tev::PumpEventsUntil([&] { return view->LoadCount() > loads && !view->IsBusy(); },
                                     kPageTimeoutMs));
    std::string result;
    ASSERT_TRUE(view->RunScript("typeof window.external + ':' + "
                                "JSON.stringify(Object.keys(window.external))",
                                &result));
    EXPECT_EQ(result, "object:[]");
    EXPECT_FALSE(view->RunScript("this is not script", &result));
    EXPECT_EQ(result, "");
    frame->Destroy();
    tev::PumpEventsFor(20);
}

namespace {

// Serves "tevtest:<name>" pages; "tevtest:missing" is not found.
class TestSchemeHandler : public wxWebViewHandler {
public:
    TestSchemeHandler() : wxWebViewHandler("tevtest") {}
    wxFSFile* GetFile(const wxString& uri) override {
        ++requests;
        if (uri == "tevtest:missing")
            return nullptr;
        const std::string page = "<html><body><script>window.external.Report('served ' + "
                                 "location.href)</script></body></html>";
        return new wxFSFile(new wxStringInputStream(wxString::FromUTF8(page)), uri, "text/html",
                            wxString(), wxDateTime::Now());
    }
    int requests = 0;
};

} // namespace

// Serves "tevcount:<name>" as the number of requests so far.
class CountingSchemeHandler : public wxWebViewHandler {
public:
    CountingSchemeHandler() : wxWebViewHandler("tevcount") {}
    wxFSFile* GetFile(const wxString& uri) override {
        return new wxFSFile(new wxStringInputStream(wxString::Format("%d", ++requests)), uri,
                            "text/plain", wxString(), wxDateTime::Now());
    }
    int requests = 0;
};

TEST_F(HostFixture, EveryRequestForASchemeUrlReachesItsHandler) {
    // A document served from changing state: a page loaded again must not see the old copy.
    auto* handler = new CountingSchemeHandler;
    view->RegisterSchemeHandler(wxSharedPtr<wxWebViewHandler>(handler));
    view->EnableFileAccessFromFileUrls(true);
    const std::string page =
        "<html><body><script>var x = new XMLHttpRequest(); x.open('GET', 'tevcount:doc');"
        "x.onload = function () { window.external.Report(x.responseText); };"
        "x.onerror = function () { window.external.Report('failed'); }; x.send();"
        "</script></body></html>";
    for (size_t load = 1; load <= 3; ++load) {
        view->SetPage(page, "file:///");
        ASSERT_TRUE(WaitForCalls(load));
    }
    EXPECT_EQ(host->calls, (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(HostFixture, SchemesOutliveTheViewThatRegisteredThem) {
    auto* first = new tev::HtmlView(host, wxID_ANY, "first");
    auto* handler = new TestSchemeHandler;
    const wxSharedPtr<wxWebViewHandler> shared(handler);
    first->RegisterSchemeHandler(shared);
    view->RegisterSchemeHandler(wxSharedPtr<wxWebViewHandler>(new TestSchemeHandler));
    view->RegisterSchemeHandler(shared); // replaces the one before
    first->Destroy();

    view->Navigate("tevtest:missing");
    ASSERT_TRUE(tev::PumpEventsUntil([&] { return handler->requests == 1 && !view->IsBusy(); },
                                     kPageTimeoutMs));
    view->Navigate("tevtest:page");
    ASSERT_TRUE(WaitForCalls(1));
    EXPECT_EQ(host->calls[0], "served tevtest:page");
    EXPECT_EQ(handler->requests, 2);
}

TEST(HtmlViewWhenShown, MakesItsBrowserOnceShownAndLoadsTheLastPageAskedFor) {
    auto* host = new HostWindow;
    auto* view = new tev::HtmlView;
    ASSERT_TRUE(view->Create(host, wxID_ANY, "later", nullptr, wxDefaultPosition, wxDefaultSize,
                             tev::HtmlView::BrowserStart::WhenShown));
    // A view on a page the user does not see makes its browser in the background.
    auto* hiddenPage = new wxPanel(host);
    hiddenPage->Hide();
    auto* background = new tev::HtmlView;
    background->Create(hiddenPage, wxID_ANY, "background", nullptr, wxDefaultPosition,
                       wxDefaultSize, tev::HtmlView::BrowserStart::WhenShown);

    // Settings and schemes given before the browser exists apply to it.
    auto* handler = new TestSchemeHandler;
    view->RegisterSchemeHandler(wxSharedPtr<wxWebViewHandler>(handler));
    view->SetPage("<html><body><script>window.external.Report('first')</script></body></html>");
    view->Navigate("tevtest:page");
    EXPECT_TRUE(view->HasBrowser());
    EXPECT_TRUE(view->IsBusy());
    EXPECT_FALSE(view->RunScript("1"));
    tev::PumpEventsFor(2 * tev::HtmlView::kBackgroundStartMs);
    EXPECT_EQ(view->GetBrowser(), nullptr) << "nothing is made before the window shows";
    EXPECT_EQ(background->GetBrowser(), nullptr);

    host->Show();
    ASSERT_TRUE(tev::PumpEventsUntil([&] { return !host->calls.empty(); }, kPageTimeoutMs));
    tev::PumpEventsFor(200);
    EXPECT_EQ(host->calls, std::vector<std::string>{"served tevtest:page"});
    EXPECT_EQ(handler->requests, 1);
    EXPECT_FALSE(view->GetBrowser()->IsContextMenuEnabled());
    EXPECT_TRUE(
        tev::PumpEventsUntil([&] { return background->GetBrowser() != nullptr; }, kPageTimeoutMs));
    host->Destroy();
    tev::PumpEventsFor(20);
}
