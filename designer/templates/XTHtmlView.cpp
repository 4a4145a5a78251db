#include "designer/templates/XTHtmlView.h"

namespace TEVComponentDesignerAfx {

CXTHtmlView::~CXTHtmlView() {
    if (m_pBrowser) {
        m_pBrowser->Destroy();
        m_pBrowser = nullptr;
    }
}

bool CXTHtmlView::Create(wxWindow* parent, wxWindowID id, const wxString& browserName) {
    if (!wxPanel::Create(parent, id, wxDefaultPosition,
                         parent ? parent->GetClientSize() : wxDefaultSize,
                         wxBORDER_NONE | wxCLIP_CHILDREN, browserName + "Host"))
        return false;
    Bind(wxEVT_SIZE, &CXTHtmlView::OnSize, this);
    auto* browser = new CWebBrowser2;
    if (browser->Create(browserName, wxCLIP_SIBLINGS | wxCLIP_CHILDREN,
                        wxRect(wxPoint(0, 0), GetClientSize()), this, kBrowserId) &&
        browser->HasBrowser()) {
        m_pBrowser = browser;
    } else if (browser->GetParent()) {
        browser->Destroy();
    } else {
        delete browser;
    }
    return true;
}

void CXTHtmlView::ClearDocument() {
    if (m_pBrowser)
        m_pBrowser->ClearDocument();
}

void CXTHtmlView::WriteDocument(const std::string& text) {
    if (m_pBrowser)
        m_pBrowser->WriteDocument(text);
}

void CXTHtmlView::OnSize(wxSizeEvent& event) {
    if (m_pBrowser) {
        const wxSize client = GetClientSize();
        m_pBrowser->SetSize(0, 0, client.x, client.y);
    }
    event.Skip();
}

} // namespace TEVComponentDesignerAfx
