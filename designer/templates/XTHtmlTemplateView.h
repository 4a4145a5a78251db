#pragma once
// The style gallery: the templates of the template roots as an HTML page of cards. Page
// script reaches the view through `window.external`, whose one method ChangeTemplate(path)
// applies the clicked template through the owner.
#include "designer/templates/ComponentMovie.h"
#include "designer/templates/XTHtmlView.h"
#include "platform/web/ExternalCall.h"

#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

class CTEVComponentDesignerTemplateView;

class CXTHtmlTemplateView : public CXTHtmlView, public tev::ExternalDispatchHost {
public:
    // The browser's window name.
    static constexpr const char* kWindowName = "XTHtmlTemplateView";

    CXTHtmlTemplateView();

    bool Create(wxWindow* parent, wxWindowID id);

    void SetOwner(CTEVComponentDesignerTemplateView* owner) { m_pOwner = owner; }
    // The designer view's list of template folders (not owned).
    void SetTemplateRoots(const std::vector<std::string>* roots) { m_pTemplateRoots = roots; }

    // Stores the descriptor path, then builds the gallery.
    void SetComponentPath(const std::string& path);
    // Reads the descriptor and writes the gallery page into the browser.
    void BuildGallery();
    // From page script: applies the template whose props.xml is `path` through the owner.
    void ChangeTemplate(const std::string& path);

    const tev::DispatchTable* GetExternalDispatch() const override { return &m_dispatch; }
    // The movie as the gallery last read it.
    const CComponentMovie& GetMovie() const { return m_movie; }

private:
    tev::DispatchTable m_dispatch;
    std::string m_strComponentPath;
    CComponentMovie m_movie;
    CTEVComponentDesignerTemplateView* m_pOwner = nullptr;
    const std::vector<std::string>* m_pTemplateRoots = nullptr;
};

} // namespace TEVComponentDesignerAfx
