#pragma once
// The live preview: the component's movie at its current size, centred in the pane, reading
// its values and data from "about:props.xml", which the component protocol handler serves
// while this view has it registered for the "about" namespace. It also makes the published
// index page, from the same movie and size.
#include "designer/templates/PreviewSize.h"
#include "designer/templates/XTHtmlView.h"
#include "platform/com/Variant.h"

#include <memory>
#include <string>

struct IClassFactory;

namespace TEVComponentDesignerAfx {

class CComponentProtocolBinding;
class CTEVComponentDesignerTemplateView;

class CXTHtmlPreviewView : public CXTHtmlView {
public:
    static constexpr const char* kWindowName = "XTHtmlPreviewView";

    CXTHtmlPreviewView();
    ~CXTHtmlPreviewView() override;

    bool Create(wxWindow* parent, wxWindowID id);

    void SetOwner(CTEVComponentDesignerTemplateView* owner) { m_pOwner = owner; }
    void SetProjectExtension(const std::string& extension) { m_strProjectExtension = extension; }
    void SetProjectName(const std::string& name) { m_strProjectName = name; }

    // Stores the descriptor path, reads it and rebuilds the page.
    void SetComponentPath(const std::string& path);
    // Reads the descriptor: movie path, size (and ratio); a descriptor that cannot be read
    // keeps them. Hands the component folder to the protocol handler when it is registered.
    void LoadComponent();
    // Writes the preview page for the current movie and size.
    void RebuildPreview();

    // Loads the protocol handler module from the program's folder and registers its class
    // factory for the "about" namespace; without the module nothing is registered.
    void RegisterAboutHandler();
    void UnregisterAboutHandler();
    // The registered factory, null when none.
    IClassFactory* GetAboutFactory() const;

    // Property values from the owner; only Width, Height and Aspect ratio are acted on.
    void OnPropertyInitialized(const std::string& name, const std::string& category,
                               const CComVariant& value);
    void OnPropertyChanged(const std::string& name, const std::string& category,
                           const CComVariant& value);

    // The published index page for the current movie, project name and size.
    std::string GetHtmlCode() const;
    std::string GetFlashComponentPath() const { return m_strMoviePath; }
    const std::string& GetComponentFolder() const { return m_strComponentFolder; }
    const CPreviewSize& GetSize() const { return m_size; }

private:
    std::string m_strComponentPath;
    std::unique_ptr<CComponentProtocolBinding> m_pProtocol; // set while registered
    std::string m_strMoviePath;
    std::string m_strComponentFolder;
    CPreviewSize m_size;
    std::string m_strProjectExtension;
    std::string m_strProjectName;
    CTEVComponentDesignerTemplateView* m_pOwner = nullptr;
};

} // namespace TEVComponentDesignerAfx
