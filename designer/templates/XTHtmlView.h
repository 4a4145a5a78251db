#pragma once
// What the gallery and the preview share: a child window filled by one embedded browser
// (CWebBrowser2, named after the view), and the two document operations
// through which a page is shown.
#include "designer/templates/WebBrowser2.h"

#include <wx/panel.h>

#include <string>

namespace TEVComponentDesignerAfx {

class CXTHtmlView : public wxPanel {
public:
    // 0xE900 under MFC; wxWidgets takes control IDs below 32767 only.
    static constexpr wxWindowID kBrowserId = 0x6900;

    ~CXTHtmlView() override;

    // Creates the view and its browser, which takes `browserName` as its window name.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& browserName);

    // Null when the browser could not be created; the view then stays blank.
    CWebBrowser2* GetBrowser() const { return m_pBrowser; }

    void ClearDocument();
    void WriteDocument(const std::string& text);

protected:
    CXTHtmlView() = default;

    void OnSize(wxSizeEvent& event);

private:
    CWebBrowser2* m_pBrowser = nullptr;
};

} // namespace TEVComponentDesignerAfx
