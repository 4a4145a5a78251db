#include "designer/publish/TEVComponentDesignerPublishView.h"

namespace TEVComponentDesignerAfx {

CTEVComponentDesignerPublishView::CTEVComponentDesignerPublishView() = default;

CTEVComponentDesignerPublishView::~CTEVComponentDesignerPublishView() = default;

bool CTEVComponentDesignerPublishView::Create(wxWindow* parent, wxWindowID id, const wxRect& rect,
                                              const wxString& name) {
    return tev::ResizeFormView::Create(parent, id, rect.GetPosition(), rect.GetSize(),
                                       wxTAB_TRAVERSAL | wxCLIP_CHILDREN | wxBORDER_NONE, name);
}

void CTEVComponentDesignerPublishView::SetPublishFolder(const std::string& folder) {
    m_strPublishFolder = folder;
}

void CTEVComponentDesignerPublishView::SetProjectName(const std::string& name) {
    m_strProjectName = name;
}

void CTEVComponentDesignerPublishView::RefreshPublishInfo(const std::vector<std::string>* files,
                                                          const std::string*) {
    if (files)
        m_arrRequiredFiles = *files;
    else
        m_arrRequiredFiles.clear();
}

void CTEVComponentDesignerPublishView::OnPropertyChanged(const std::string&, const std::string&,
                                                         const CComVariant&) {}

} // namespace TEVComponentDesignerAfx
