#pragma once
// The designer in a modal dialog, for programs that design one component instance without
// project files: the caller names the editor control's ProgID and the component, and may
// hand in the properties XML of an earlier run; the user works in a designer view without
// Publish tab and online pane. OK keeps the designer's properties XML at that moment (the
// project XML: property values and the control's data); Cancel keeps the XML stored before.
//
// Use: construct, configure (SetProjectType before SetComponentPath), SetPropertiesXml,
// ShowModal, then GetPropertiesXml.
#include "designer/core/TEVComponentDesignerView.h"

#include <wx/dialog.h>

#include <memory>
#include <string>

namespace TEVComponentDesignerAfx {

class CTEVComponentDesignerWizard : public wxDialog {
public:
    CTEVComponentDesignerWizard(const std::string& progId, wxWindow* parent);

    // Forwarded to the designer view; call them before ShowModal.
    void SetComponentPath(const std::string& path) { m_view->SetComponentPath(path); }
    void SetProjectExtension(const std::string& extension) {
        m_view->SetProjectExtension(extension);
    }
    void SetProjectType(const std::string& type) { m_view->SetProjectType(type); }
    void SetDataTabCaption(const std::string& caption) { m_view->SetDataTabCaption(caption); }

    // The XML loaded when the dialog opens ("" leaves the component's defaults).
    void SetPropertiesXml(const std::string& xml) { m_strPropertiesXml = xml; }
    const std::string& GetPropertiesXml() const { return m_strPropertiesXml; }

    CTEVComponentDesignerView* GetDesignerView() const { return m_view; }

protected:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnOK(wxCommandEvent& event);

private:
    std::string m_strProgId;
    std::string m_strPropertiesXml;
    // Owned here until its window is created in the dialog, which then owns it.
    std::unique_ptr<CTEVComponentDesignerView> m_unbornView;
    CTEVComponentDesignerView* m_view;
};

} // namespace TEVComponentDesignerAfx
