#pragma once
// The "Choose Style" page of the designer view: the style gallery (top left), the property
// grid (bottom left) and the live preview (right), in two splitters. The page routes
// property values between the grid, the designer view and the preview, and hands the
// project's data to the component protocol handler that feeds the preview.
#include "designer/properties/ComponentProtocolBinding.h"
#include "designer/properties/PropertyGridView.h"
#include "platform/com/Variant.h"

#include <wx/panel.h>

#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

class CTEVComponentDesignerView;
class CSimpleSplitter;
class CXTHtmlPreviewView;
class CXTHtmlTemplateView;

class CTEVComponentDesignerTemplateView : public wxPanel, public CPropertyGridOwner {
public:
    // Layout: two panes side by side (gallery and grid | preview), the left one stacked.
    static constexpr int kOuterMinimumPane = 30;
    static constexpr int kInnerMinimumPane = 200;
    static constexpr int kBarThickness = 3;

    CTEVComponentDesignerTemplateView();
    ~CTEVComponentDesignerTemplateView() override;

    // Creates the page with its splitters, gallery, grid and preview.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& name);

    // The framework's initial update, sent by the designer view after the pages are built:
    // the 1 : 3 split, an empty preview and gallery, the "about" handler, the grid's load.
    virtual void OnInitialUpdate();

    void SetDesignerView(CTEVComponentDesignerView* view) { m_pDesignerView = view; }
    CTEVComponentDesignerView* GetDesignerView() const { return m_pDesignerView; }
    // The designer view's list of template folders, in gallery order (not owned).
    void SetTemplateRoots(const std::vector<std::string>* roots);
    const std::vector<std::string>* GetTemplateRoots() const { return m_pTemplateRoots; }

    void SetComponentPath(const std::string& path);
    const std::string& GetComponentPath() const { return m_strComponentPath; }
    void SetProjectExtension(const std::string& extension);
    void SetProjectName(const std::string& name);
    const std::string& GetProjectName() const { return m_strProjectName; }
    // Sets both the default page name and the page name.
    void SetIndexHtmlFileName(const std::string& name);
    const std::string& GetPageName() const override { return m_strPageName; }

    // The user-defined XML of the properties document.
    std::string GetUserDefinedXml() const;
    // The asset paths of the component (owned by the grid; the caller neither frees nor
    // keeps the list).
    const std::vector<std::string>* GetAssets() const;
    // The preview's movie file, and the published index page (both from the preview).
    std::string GetFlashComponentPath() const;
    std::string GetHtmlCode() const;

    // Loads a project's properties XML: its UserDefined values and its Data element.
    void SetPropertiesXml(const std::string& xml);
    // The project's data, for the protocol handler.
    void SetDataXml(const std::string& xml);
    void SetExtendedXml(const std::string& fragment);
    void RefreshPreview() override;
    void RefreshGallery();
    // A new or opened project: page name back to its default, component defaults loaded.
    void ResetComponent();

    // Property values reported by the grid, routed to the designer view and the preview.
    void PropertyInitialized(const std::string& name, const std::string& category,
                             const CComVariant& value) override;
    void PropertyChanged(const std::string& name, const std::string& category,
                         const CComVariant& value) override;
    // The calls of the preview and the gallery into the page (virtual, so that a page
    // can watch them). A value the preview changed (it brought Width or Height along): into
    // the grid, then to the designer view. A template chosen in the gallery, by the path of
    // its props.xml: its values go to the grid, then the preview rebuilds.
    virtual void SetPropertyFromPreview(const std::string& name, const std::string& category,
                                        const CComVariant& value);
    virtual void ApplyTemplate(const std::string& path);

    // The parts, for the designer view and for tests.
    CTEVComponentPropertyGridView& GetPropertyGridView() { return m_wndPropertyGrid; }
    CSimpleSplitter* GetOuterSplitter() const { return m_pOuterSplitter; }
    CSimpleSplitter* GetInnerSplitter() const { return m_pInnerSplitter; }
    CXTHtmlPreviewView* GetPreviewView() const { return m_pPreviewView; }
    CXTHtmlTemplateView* GetGalleryView() const { return m_pGalleryView; }

protected:
    void OnCreate();
    void OnSize(wxSizeEvent& event);
    void OnDestroy();

private:
    CComponentProtocolBinding m_protocol;
    CSimpleSplitter* m_pOuterSplitter = nullptr;
    CSimpleSplitter* m_pInnerSplitter = nullptr;
    CXTHtmlPreviewView* m_pPreviewView = nullptr;
    CXTHtmlTemplateView* m_pGalleryView = nullptr;
    CTEVComponentPropertyGridView m_wndPropertyGrid;

    CTEVComponentDesignerView* m_pDesignerView = nullptr;
    const std::vector<std::string>* m_pTemplateRoots = nullptr;
    std::string m_strComponentPath;
    std::string m_strProjectExtension;
    std::string m_strProjectName;
    std::string m_strDefaultPageName;
    std::string m_strPageName;
};

} // namespace TEVComponentDesignerAfx
