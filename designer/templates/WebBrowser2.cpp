#include "designer/templates/WebBrowser2.h"

#include "designer/templates/TemplateResources.h"
#include "platform/com/ModuleLoader.h"

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>

namespace TEVComponentDesignerAfx {
namespace {

constexpr const char* kPlayerFileName = "swfobject.js";

// Lets the browser finish loading without dispatching user input or timers, so nothing
// else of the program runs meanwhile.
bool WaitWithoutUserInput(const std::function<bool()>& done, int timeoutMs) {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    std::unique_ptr<wxEventLoopBase> own;
    std::unique_ptr<wxEventLoopActivator> activator;
    if (!loop) {
        wxAppTraits* traits = wxTheApp ? wxTheApp->GetTraits() : nullptr;
        if (!traits)
            return done();
        own.reset(traits->CreateEventLoop());
        activator = std::make_unique<wxEventLoopActivator>(own.get());
        loop = own.get();
    }
    // Already inside a yield (the toolkit refuses a second one): no waiting.
    if (loop->IsYielding())
        return done();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        loop->YieldFor(wxEVT_CATEGORY_UI);
        wxMilliSleep(2);
    }
    return true;
}

} // namespace

bool CWebBrowser2::Create(const wxString& windowName, long style, const wxRect& rect,
                          wxWindow* parent, wxWindowID id) {
    if (!tev::HtmlView::Create(parent, id, windowName, nullptr, rect.GetPosition(), rect.GetSize()))
        return false;
    if (style & wxCLIP_CHILDREN)
        SetWindowStyleFlag(GetWindowStyleFlag() | wxCLIP_CHILDREN);
    if (!HasBrowser())
        return true;
    AddUserScript(PlayerScript());
    // The movie reads its document from a file or from the "about" scheme; the pages come
    // from text, so they need leave to read both.
    EnableFileAccessFromFileUrls(true);
    return true;
}

std::string CWebBrowser2::PlayerScript() {
    std::ifstream in(tev::ProgramFolder() + kPlayerFileName, std::ios::binary);
    if (in) {
        std::ostringstream text;
        text << in.rdbuf();
        if (!text.str().empty())
            return text.str();
    }
    return std::string(TemplateResource(IDR_JS_SWFOBJECT));
}

void CWebBrowser2::ClearDocument() {
    if (!HasBrowser())
        return;
    if (!m_firstDocumentSeen) {
        // A browser that has shown nothing yet gets a blank document first, and the page
        // follows once that is there. The wait is bounded: without a first document the
        // page is written all the same.
        const int loads = LoadCount();
        Navigate("about:blank");
        WaitWithoutUserInput([this, loads] { return LoadCount() > loads; }, kFirstDocumentWaitMs);
        m_firstDocumentSeen = true;
    }
    m_document.clear();
    m_open = true;
    SetPage(std::string(), kDocumentBase);
}

void CWebBrowser2::WriteDocument(const std::string& text) {
    if (!HasBrowser())
        return;
    if (!m_open) {
        m_document.clear();
        m_open = true;
    }
    m_document += text;
    SetPage(m_document, kDocumentBase);
}

} // namespace TEVComponentDesignerAfx
