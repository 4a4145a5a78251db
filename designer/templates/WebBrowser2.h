#pragma once
// The embedded browser of the gallery and the preview: a tev::HtmlView (no context menu, no
// script message boxes, no drops, `window.external` bound to the hosting window's dispatch
// table) that plays Flash OBJECTs with the player script, injected at the start of every
// page, and lets pages written from text read files and the "about" documents.
//
// A page is shown without files or navigation: ClearDocument opens an empty document,
// WriteDocument writes text into it (the next ClearDocument closes it). Both do nothing
// without a browser. The browser itself is made when the view is first shown (or in the
// background soon after the program's window is); what was written before shows then.
#include "platform/web/HtmlView.h"

#include <string>

namespace TEVComponentDesignerAfx {

class CWebBrowser2 : public tev::HtmlView {
public:
    // Pages written with WriteDocument resolve relative references against this.
    static constexpr const char* kDocumentBase = "file:///";

    CWebBrowser2() = default;

    // Creates the browser window as a child of `parent`.
    bool Create(const wxString& windowName, long style, const wxRect& rect, wxWindow* parent,
                wxWindowID id);

    // Gives the browser an empty, open document.
    void ClearDocument();
    // Writes `text` into the open document; without one, opens a new one first.
    void WriteDocument(const std::string& text);
    // The text written into the open document so far.
    const std::string& GetDocumentText() const { return m_document; }

    // The player: swfobject.js from the program's folder (the file the build places beside
    // the program); the copy compiled into the library when that file cannot be read.
    static std::string PlayerScript();

private:
    std::string m_document;
    bool m_open = false;
};

} // namespace TEVComponentDesignerAfx
