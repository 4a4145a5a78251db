#pragma once
// The "Choose Style" page of the designer view: style gallery, property grid and preview.
//
// The property grid holds the project's property values; the gallery and the preview are
// still to come, and hand-overs to them are skipped.
#include "designer/properties/ComponentProtocolBinding.h"
#include "designer/properties/PropertyGridView.h"
#include "platform/com/Variant.h"

#include <wx/panel.h>

#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

class CTEVComponentDesignerView;

class CTEVComponentDesignerTemplateView : public wxPanel, public CPropertyGridOwner {
public:
    CTEVComponentDesignerTemplateView();
    ~CTEVComponentDesignerTemplateView() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& name);

    // The framework's initial update, sent by the designer view after the pages are built.
    virtual void OnInitialUpdate();

    void SetDesignerView(CTEVComponentDesignerView* view) { m_pDesignerView = view; }
    CTEVComponentDesignerView* GetDesignerView() const { return m_pDesignerView; }
    // The designer view's list of template folders, in gallery order (not owned).
    void SetTemplateRoots(const std::vector<std::string>* roots) { m_pTemplateRoots = roots; }
    const std::vector<std::string>* GetTemplateRoots() const { return m_pTemplateRoots; }

    void SetComponentPath(const std::string& path);
    const std::string& GetComponentPath() const { return m_strComponentPath; }
    void SetProjectExtension(const std::string& extension) { m_strProjectExtension = extension; }
    void SetProjectName(const std::string& name) { m_strProjectName = name; }
    const std::string& GetProjectName() const { return m_strProjectName; }
    // Sets both the default page name and the page name.
    void SetIndexHtmlFileName(const std::string& name);
    const std::string& GetPageName() const override { return m_strPageName; }

    // The user-defined XML of the properties document.
    std::string GetUserDefinedXml() const;
    // The asset paths of the component (owned by the grid; the caller neither frees nor
    // keeps the list).
    const std::vector<std::string>* GetAssets() const;
    std::string GetFlashComponentPath() const;
    std::string GetHtmlCode() const;

    // Loads a project's properties XML: its UserDefined values and its Data element.
    void SetPropertiesXml(const std::string& xml);
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
    // A template chosen in the gallery: its values go to the grid, then the preview rebuilds.
    void ApplyTemplate(const std::string& path);
    // A value the preview changed (Width, Height): into the grid, then to the designer view.
    void SetPropertyFromPreview(const std::string& name, const std::string& category,
                                const CComVariant& value);
    CTEVComponentPropertyGridView& GetPropertyGridView() { return m_wndPropertyGrid; }

private:
    // The grid is a child of this page; the preview's share of property values is still to
    // come.
    void CreatePropertyGrid();
    void OnSize(wxSizeEvent& event);
    void PreviewPropertyInitialized(const std::string& name, const CComVariant& value);
    void PreviewPropertyChanged(const std::string& name, const CComVariant& value);

    CComponentProtocolBinding m_protocol;
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
