#pragma once
// An embedded browser (wxWebView over WebKitGTK) with the control-site effects every page of
// the program gets:
//   - no context menu;
//   - script message boxes (alert, confirm, prompt) are suppressed: alert returns at once,
//     confirm answers false, prompt answers null;
//   - nothing dragged onto a page is accepted;
//   - no border;
//   - `window.external` is the hosting window's dispatch table: an object with one method
//     per name of the table, each running the table's callback with the call's arguments
//     (asynchronously, after the page's script goes on); an empty object when the hosting
//     window has no table.
//
// The hosting window is the one that passes a table to the constructor or, without one, the
// parent window when it implements tev::ExternalDispatchHost. A table set later with
// SetExternalDispatch applies from the next page load on.
//
// A view may make its browser later (BrowserStart::WhenShown): when it is first painted, or
// in the background shortly after its window was shown, whichever comes first; EnsureBrowser
// makes it at once. Until the browser has shown its first (blank) document, the last page or
// URL asked for waits and is loaded then; scripts run only once there is a browser. Each
// browser costs a web process, so pages the user does not see at start wait this way.
//
// Private URL schemes: call RegisterSchemeHandler(handler) before the first page that uses
// the scheme is loaded. A scheme is known to every view of the process from then on, and
// its handler (a wxWebViewHandler named after the scheme; GetFile answers each URL, null
// for "not found") is kept for the life of the process: views may come and go. Answers are
// never cached: every request reaches the handler. Registering
// the same scheme again replaces the handler. (The toolkit's own RegisterHandler is not to
// be used: it ties the scheme to the first view and fails once that view is gone.)
#include "platform/web/ExternalCall.h"

#include <wx/panel.h>
#include <wx/sharedptr.h>
#include <wx/timer.h>

#include <string>
#include <vector>

class wxWebView;
class wxWebViewEvent;
class wxWebViewHandler;

namespace tev {

class HtmlView : public wxPanel {
public:
    enum class BrowserStart { Now, WhenShown };
    // How long after its window was shown a view that waits makes its browser anyway.
    static constexpr int kBackgroundStartMs = 500;
    // How long a page waits for a new browser's first document at most.
    static constexpr int kFirstDocumentWaitMs = 3000;

    HtmlView() = default;
    HtmlView(wxWindow* parent, wxWindowID id, const wxString& name,
             const DispatchTable* external = nullptr, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize) {
        Create(parent, id, name, external, pos, size);
    }
    ~HtmlView() override;
    // False when the window could not be created. A browser that cannot be made leaves the
    // view blank, and every page operation then does nothing.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& name,
                const DispatchTable* external = nullptr, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, BrowserStart start = BrowserStart::Now);

    // True while the view has a browser or is still to make one.
    bool HasBrowser() const { return m_browser != nullptr || m_browserToCome; }
    // Null until the browser is made.
    wxWebView* GetBrowser() const { return m_browser; }
    // Makes the browser now when it is still to come.
    void EnsureBrowser();

    // Loads a URL ("file:///...", a registered private scheme, "about:blank").
    void Navigate(const std::string& url);
    // Loads a local file by its path.
    void NavigateToFile(const std::string& path);
    // Replaces the document by `html`; relative references resolve against `baseUrl`.
    void SetPage(const std::string& html, const std::string& baseUrl = "about:blank");
    std::string GetCurrentUrl() const;
    bool IsBusy() const;
    // Number of pages loaded completely so far (grows with every load, for waiting on one).
    int LoadCount() const { return m_loadCount; }

    // Runs script in the current page; false on a script error (no error box is shown).
    bool RunScript(const std::string& script, std::string* result = nullptr);

    void SetExternalDispatch(const DispatchTable* external);
    // Adds a script that runs at the start of every document the view shows from the next
    // page load on, after the `window.external` script; kept when the table changes.
    void AddUserScript(const std::string& script);
    const DispatchTable* GetExternalDispatch() const { return m_external; }

    void RegisterSchemeHandler(const wxSharedPtr<wxWebViewHandler>& handler);
    // Lets pages loaded from files or strings read other files and private-scheme URLs with
    // fetch and XMLHttpRequest.
    void EnableFileAccessFromFileUrls(bool enable);

    // The name of the script message handler that receives `window.external` calls.
    static const char* ExternalHandlerName() { return "tevExternal"; }
    // A message posted to that handler: a call of the dispatch table, if it is one.
    void HandleExternalMessage(const std::string& message);

private:
    // What is to be loaded once the browser has shown its first document.
    struct PendingLoad {
        enum class Kind { None, Page, Url } kind = Kind::None;
        std::string text; // the page or the URL
        std::string baseUrl;
    };

    void CreateBrowser();
    void InstallUserScripts();
    void ApplyFileAccess();
    // The first document is there (or was waited for long enough): pending loads go ahead.
    void OnFirstDocument();
    void OnLoaded(wxWebViewEvent& event);
    friend struct BrowserLoadSignal;
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnIdle(wxIdleEvent& event);

    wxWebView* m_browser = nullptr;
    bool m_browserToCome = false;
    bool m_firstDocumentShown = false;
    PendingLoad m_pending;
    bool m_pendingLoadUnderWay = false; // what waited is loading now
    // Loads the browser has started, and how many had started when what waited went ahead:
    // a browser's first document, cut short by it, still reports itself loaded.
    int m_loadsStarted = 0;
    int m_loadsStartedBeforePending = 0;
    wxTimer m_backgroundStart;
    wxTimer m_firstDocumentWait;
    bool m_fileAccess = false;
    const DispatchTable* m_external = nullptr;
    std::vector<std::string> m_userScripts;
    int m_loadCount = 0;
};

} // namespace tev
