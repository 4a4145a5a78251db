#include "designer/core/TEVComponentDesignerDataView.h"

#include "designer/core/DesignerProject.h"
#include "platform/xml/XmlDom.h"

namespace TEVComponentDesignerAfx {

CTEVComponentDesignerDataView::~CTEVComponentDesignerDataView() {
    OnDestroy();
}

bool CTEVComponentDesignerDataView::Create(wxWindow* parent, wxWindowID id, const wxString& name) {
    if (!wxPanel::Create(parent, id, wxDefaultPosition, wxDefaultSize,
                         wxTAB_TRAVERSAL | wxCLIP_CHILDREN | wxBORDER_NONE, name))
        return false;
    Bind(wxEVT_SIZE, &CTEVComponentDesignerDataView::OnSize, this);
    OnCreate();
    return true;
}

void CTEVComponentDesignerDataView::OnCreate() {
    // The editor control is created here by its ProgID once controls can be hosted; until
    // then the page stays empty and the forwarders below are skipped.
    m_pControlWnd = nullptr;
}

void CTEVComponentDesignerDataView::OnSize(wxSizeEvent& event) {
    if (m_pControlWnd)
        m_pControlWnd->SetSize(0, 0, event.GetSize().x, event.GetSize().y);
    event.Skip();
}

void CTEVComponentDesignerDataView::OnDestroy() {
    if (m_pControlWnd) {
        m_pControlWnd->Destroy();
        m_pControlWnd = nullptr;
    }
}

bool CTEVComponentDesignerDataView::HasControl() const {
    return m_pControlWnd != nullptr;
}

// The forwarders below are skipped while the page has no control; getters then yield "".

std::string CTEVComponentDesignerDataView::GetDataSection() {
    return {};
}

void CTEVComponentDesignerDataView::SetDataSection(const std::string&) {}

std::string CTEVComponentDesignerDataView::GetExtendedParams() {
    return {};
}

void CTEVComponentDesignerDataView::SetExtendedParams(const std::string&) {}

void CTEVComponentDesignerDataView::OnPropertyChanged(const std::string&, const std::string&,
                                                      const CComVariant&) {}

void CTEVComponentDesignerDataView::OnPropertyInit(const std::string&, const std::string&,
                                                   const CComVariant&) {}

bool CTEVComponentDesignerDataView::ExtractDataSection(const std::string& xml,
                                                       std::string& dataXml) {
    pugi::xml_document doc;
    if (!tev::LoadXml(doc, xml))
        return false;
    const pugi::xml_node data = doc.document_element().child("Data");
    if (!data)
        return false;
    dataXml = tev::XmlOf(data);
    return true;
}

void CTEVComponentDesignerDataView::LoadProjectData(const std::string& xml) {
    std::string dataXml;
    if (ExtractDataSection(xml, dataXml))
        SetDataSection(dataXml);
}

void CTEVComponentDesignerDataView::ResetControlData() {
    LoadProjectData(CDesignerProject::kNewProjectXml);
    SetExtendedParams("");
}

} // namespace TEVComponentDesignerAfx
