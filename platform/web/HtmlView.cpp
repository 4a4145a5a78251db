#include "platform/web/HtmlView.h"

#include <webkit2/webkit2.h>
#include <wx/dcclient.h>
#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/log.h>
#include <wx/stream.h>
#include <wx/webview.h>

#include <map>
#include <memory>
#include <set>
#include <utility>

namespace tev {
namespace {

WebKitWebView* NativeView(wxWebView* browser) {
    if (!browser)
        return nullptr;
    void* native = browser->GetNativeBackend();
    return native && WEBKIT_IS_WEB_VIEW(native) ? WEBKIT_WEB_VIEW(native) : nullptr;
}

// Script message boxes never appear. Leaving a page is always allowed, so a page's unload
// question cannot hold the view on it.
gboolean OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer) {
    if (webkit_script_dialog_get_dialog_type(dialog) == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM)
        webkit_script_dialog_confirm_set_confirmed(dialog, TRUE);
    return TRUE;
}

// Drops are refused before the browser sees them: no drop effect while dragging over a
// page, and a failed drop.
gboolean OnDragMotion(GtkWidget*, GdkDragContext* context, gint, gint, guint time, gpointer) {
    gdk_drag_status(context, static_cast<GdkDragAction>(0), time);
    return TRUE;
}

gboolean OnDragDrop(GtkWidget*, GdkDragContext* context, gint, gint, guint time, gpointer) {
    gtk_drag_finish(context, FALSE, FALSE, time);
    return TRUE;
}

// Private URL schemes. WebKit knows a scheme once per web context and keeps the callback
// for the life of the process, so the handlers live here, for the process too, rather than
// with the view that registered them first (which may go while other views still load
// from the scheme).
std::map<std::string, wxSharedPtr<wxWebViewHandler>>& SchemeHandlers() {
    static std::map<std::string, wxSharedPtr<wxWebViewHandler>> handlers;
    return handlers;
}

void FinishWithError(WebKitURISchemeRequest* request, const char* message) {
    GError* error = g_error_new_literal(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, message);
    webkit_uri_scheme_request_finish_error(request, error);
    g_error_free(error);
}

void OnSchemeRequest(WebKitURISchemeRequest* request, gpointer) {
    const std::string scheme = webkit_uri_scheme_request_get_scheme(request);
    const auto it = SchemeHandlers().find(scheme);
    if (it == SchemeHandlers().end() || !it->second) {
        FinishWithError(request, "no handler for this scheme");
        return;
    }
    std::unique_ptr<wxFSFile> file(
        it->second->GetFile(wxString::FromUTF8(webkit_uri_scheme_request_get_uri(request))));
    wxInputStream* stream = file ? file->GetStream() : nullptr;
    if (!stream) {
        FinishWithError(request, "not found");
        return;
    }
    std::string bytes;
    char buffer[16384];
    while (!stream->Eof()) {
        stream->Read(buffer, sizeof buffer);
        const size_t got = stream->LastRead();
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    const std::string mime = file->GetMimeType().empty() ? "application/octet-stream"
                                                         : file->GetMimeType().utf8_string();
    GInputStream* body = g_memory_input_stream_new_from_data(
        g_memdup2(bytes.data(), bytes.size()), static_cast<gssize>(bytes.size()), g_free);
    // What a private scheme serves may change from one request to the next (documents built
    // from the program's state); the browser must ask again every time, not keep a copy.
    WebKitURISchemeResponse* response =
        webkit_uri_scheme_response_new(body, static_cast<gint64>(bytes.size()));
    webkit_uri_scheme_response_set_content_type(response, mime.c_str());
    SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
    soup_message_headers_append(headers, "Cache-Control", "no-store");
    webkit_uri_scheme_response_set_http_headers(response, headers);
    webkit_uri_scheme_request_finish_with_response(request, response);
    g_object_unref(response);
    g_object_unref(body);
}

// A message a page posted to the external handler: handed to the view after the page's
// script has gone on, as a call through `window.external` is.
void OnNativeScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* result,
                           gpointer viewPointer) {
    auto* view = static_cast<HtmlView*>(viewPointer);
    char* text = jsc_value_to_string(webkit_javascript_result_get_js_value(result));
    const std::string message = text ? text : "";
    g_free(text);
    view->CallAfter([view, message] { view->HandleExternalMessage(message); });
}

// Makes every scheme known so far known to the web context of `view` (once per context).
void RegisterSchemesOn(WebKitWebView* view) {
    static std::set<std::pair<WebKitWebContext*, std::string>> registered;
    WebKitWebContext* context = webkit_web_view_get_context(view);
    for (const auto& scheme : SchemeHandlers()) {
        if (registered.insert({context, scheme.first}).second)
            webkit_web_context_register_uri_scheme(context, scheme.first.c_str(), OnSchemeRequest,
                                                   nullptr, nullptr);
    }
}

} // namespace

struct BrowserLoadSignal {
    static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent loadEvent, gpointer self) {
        if (loadEvent == WEBKIT_LOAD_STARTED)
            ++static_cast<HtmlView*>(self)->m_loadsStarted;
    }
};

HtmlView::~HtmlView() {
    if (m_browser)
        m_browser->Unbind(wxEVT_WEBVIEW_LOADED, &HtmlView::OnLoaded, this);
    if (WebKitWebView* view = NativeView(m_browser)) {
        g_signal_handlers_disconnect_by_data(view, this);
        g_signal_handlers_disconnect_by_data(webkit_web_view_get_user_content_manager(view), this);
    }
}

bool HtmlView::Create(wxWindow* parent, wxWindowID id, const wxString& name,
                      const DispatchTable* external, const wxPoint& pos, const wxSize& size,
                      BrowserStart start) {
    if (!wxPanel::Create(parent, id, pos, size, wxBORDER_NONE | wxCLIP_CHILDREN, name))
        return false;
    Bind(wxEVT_SIZE, &HtmlView::OnSize, this);

    m_external = external;
    if (!m_external) {
        if (auto* host = dynamic_cast<ExternalDispatchHost*>(parent))
            m_external = host->GetExternalDispatch();
    }
    if (start == BrowserStart::Now) {
        CreateBrowser();
        return true;
    }
    m_browserToCome = wxWebView::IsBackendAvailable(wxASCII_STR(wxWebViewBackendDefault));
    if (m_browserToCome) {
        Bind(wxEVT_PAINT, &HtmlView::OnPaint, this);
        Bind(wxEVT_IDLE, &HtmlView::OnIdle, this);
        m_backgroundStart.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { EnsureBrowser(); });
    }
    return true;
}

void HtmlView::CreateBrowser() {
    m_browserToCome = false;
    m_browser =
        wxWebView::New(this, wxID_ANY, wxASCII_STR(wxWebViewDefaultURLStr), wxPoint(0, 0),
                       GetClientSize(), wxASCII_STR(wxWebViewBackendDefault), wxBORDER_NONE);
    if (!m_browser)
        return;

    m_browser->Bind(wxEVT_WEBVIEW_LOADED, &HtmlView::OnLoaded, this);
    m_browser->EnableContextMenu(false);
    m_browser->EnableAccessToDevTools(false);
    if (WebKitWebView* view = NativeView(m_browser)) {
        g_signal_connect(view, "script-dialog", G_CALLBACK(OnScriptDialog), nullptr);
        g_signal_connect(view, "load-changed", G_CALLBACK(&BrowserLoadSignal::OnLoadChanged), this);
        g_signal_connect(view, "drag-motion", G_CALLBACK(OnDragMotion), nullptr);
        g_signal_connect(view, "drag-drop", G_CALLBACK(OnDragDrop), nullptr);
        // Registered with WebKit itself: the toolkit's own registration waits for a script
        // to run in the first document, which stalls when several browsers start together.
        WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(view);
        const std::string signal = std::string("script-message-received::") + ExternalHandlerName();
        g_signal_connect(content, signal.c_str(), G_CALLBACK(OnNativeScriptMessage), this);
        webkit_user_content_manager_register_script_message_handler(content, ExternalHandlerName());
        RegisterSchemesOn(view);
    }
    InstallUserScripts();
    ApplyFileAccess();
    // A page set at once could be overtaken by the browser's own first document.
    m_firstDocumentShown = false;
    m_firstDocumentWait.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { OnFirstDocument(); });
    m_firstDocumentWait.StartOnce(kFirstDocumentWaitMs);
}

void HtmlView::EnsureBrowser() {
    // A view whose window is going (as the program closes) makes no browser any more.
    if (!m_browserToCome || IsBeingDeleted())
        return;
    m_backgroundStart.Stop();
    Unbind(wxEVT_PAINT, &HtmlView::OnPaint, this);
    Unbind(wxEVT_IDLE, &HtmlView::OnIdle, this);
    CreateBrowser();
    if (!m_browser)
        m_pending = PendingLoad();
}

void HtmlView::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    // Shown to the user: the browser is wanted now, once this paint is done.
    if (m_browserToCome)
        CallAfter(&HtmlView::EnsureBrowser);
}

void HtmlView::OnIdle(wxIdleEvent& event) {
    event.Skip();
    const wxWindow* top = wxGetTopLevelParent(this);
    if (!m_browserToCome || m_backgroundStart.IsRunning() || !top || !top->IsShown())
        return;
    m_backgroundStart.StartOnce(kBackgroundStartMs);
}

void HtmlView::OnFirstDocument() {
    if (m_firstDocumentShown)
        return;
    m_firstDocumentShown = true;
    m_firstDocumentWait.Stop();
    const PendingLoad pending = m_pending;
    m_pending = PendingLoad();
    m_pendingLoadUnderWay = pending.kind != PendingLoad::Kind::None;
    m_loadsStartedBeforePending = m_loadsStarted;
    if (pending.kind == PendingLoad::Kind::Page)
        SetPage(pending.text, pending.baseUrl);
    else if (pending.kind == PendingLoad::Kind::Url)
        Navigate(pending.text);
}

void HtmlView::InstallUserScripts() {
    if (!m_browser)
        return;
    m_browser->RemoveAllUserScripts();
    const std::vector<std::string> names =
        m_external ? m_external->Names() : std::vector<std::string>();
    m_browser->AddUserScript(wxString::FromUTF8(ExternalObjectScript(names, ExternalHandlerName())),
                             wxWEBVIEW_INJECT_AT_DOCUMENT_START);
    for (const std::string& script : m_userScripts)
        m_browser->AddUserScript(wxString::FromUTF8(script), wxWEBVIEW_INJECT_AT_DOCUMENT_START);
}

void HtmlView::AddUserScript(const std::string& script) {
    m_userScripts.push_back(script);
    if (m_browser)
        m_browser->AddUserScript(wxString::FromUTF8(script), wxWEBVIEW_INJECT_AT_DOCUMENT_START);
}

void HtmlView::SetExternalDispatch(const DispatchTable* external) {
    m_external = external;
    InstallUserScripts();
}

void HtmlView::Navigate(const std::string& url) {
    if (!m_firstDocumentShown && HasBrowser())
        m_pending = {PendingLoad::Kind::Url, url, std::string()};
    else if (m_browser)
        m_browser->LoadURL(wxString::FromUTF8(url));
}

void HtmlView::NavigateToFile(const std::string& path) {
    Navigate(wxFileName::FileNameToURL(wxFileName(wxString::FromUTF8(path))).utf8_string());
}

void HtmlView::SetPage(const std::string& html, const std::string& baseUrl) {
    if (!m_firstDocumentShown && HasBrowser())
        m_pending = {PendingLoad::Kind::Page, html, baseUrl};
    else if (m_browser)
        m_browser->SetPage(wxString::FromUTF8(html), wxString::FromUTF8(baseUrl));
}

std::string HtmlView::GetCurrentUrl() const {
    return m_browser ? m_browser->GetCurrentURL().utf8_string() : std::string();
}

bool HtmlView::IsBusy() const {
    // A view still to show its first document has its page yet to load.
    return (HasBrowser() && !m_firstDocumentShown) || m_pendingLoadUnderWay ||
           (m_browser && m_browser->IsBusy());
}

bool HtmlView::RunScript(const std::string& script, std::string* result) {
    if (!m_browser)
        return false;
    // A failing script would otherwise pop up the toolkit's error box.
    wxLogNull noErrorBox;
    wxString output;
    const bool ok = m_browser->RunScript(wxString::FromUTF8(script), &output);
    if (result)
        *result = ok ? output.utf8_string() : std::string();
    return ok;
}

void HtmlView::RegisterSchemeHandler(const wxSharedPtr<wxWebViewHandler>& handler) {
    if (!HasBrowser() || !handler)
        return;
    SchemeHandlers()[handler->GetName().utf8_string()] = handler;
    if (WebKitWebView* view = NativeView(m_browser))
        RegisterSchemesOn(view);
}

void HtmlView::EnableFileAccessFromFileUrls(bool enable) {
    m_fileAccess = enable;
    ApplyFileAccess();
}

void HtmlView::ApplyFileAccess() {
    WebKitWebView* view = NativeView(m_browser);
    if (!view)
        return;
    WebKitSettings* settings = webkit_web_view_get_settings(view);
    webkit_settings_set_allow_file_access_from_file_urls(settings, m_fileAccess);
    webkit_settings_set_allow_universal_access_from_file_urls(settings, m_fileAccess);
}

void HtmlView::HandleExternalMessage(const std::string& message) {
    ExternalCall call;
    if (!m_external || !ParseExternalCall(message, call))
        return;
    m_external->Invoke(call.method, call.args);
}

void HtmlView::OnLoaded(wxWebViewEvent& event) {
    ++m_loadCount;
    event.Skip();
    if (!m_firstDocumentShown)
        CallAfter(&HtmlView::OnFirstDocument);
    else if (m_loadsStarted > m_loadsStartedBeforePending)
        m_pendingLoadUnderWay = false;
}

void HtmlView::OnSize(wxSizeEvent& event) {
    if (m_browser)
        m_browser->SetSize(GetClientSize());
    event.Skip();
}

} // namespace tev
