#include "designer/publish/TEVComponentDesignerPublishView.h"

#include "designer/ftp/PublishDialog.h"
#include "designer/publish/LinkCtrlEx.h"
#include "platform/text/StringUtil.h"
#include "platform/text/Translation.h"
#include "platform/widgets/Translations.h"
#include "resources/designer/PublishResource.h"

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/listbox.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace TEVComponentDesignerAfx {

using namespace tev::designer;

namespace {

void Place(wxWindow* form, wxWindow* control, const DialogUnitRect& rect) {
    control->SetSize(tev::DialogUnitsToPixels(form, rect.x, rect.y, rect.width, rect.height));
}

} // namespace

CTEVComponentDesignerPublishView::CTEVComponentDesignerPublishView() = default;

CTEVComponentDesignerPublishView::~CTEVComponentDesignerPublishView() = default;

bool CTEVComponentDesignerPublishView::Create(wxWindow* parent, wxWindowID id, const wxRect& rect,
                                              const wxString& name) {
    if (!tev::ResizeFormView::Create(parent, id, rect.GetPosition(), rect.GetSize(),
                                     wxTAB_TRAVERSAL | wxCLIP_CHILDREN | wxBORDER_NONE, name))
        return false;
    // The controls take their places on a form of the template's size, so that the anchors
    // measure growth from there, then the form takes the size it was given.
    SetClientSize(tev::DialogUnitsToPixels(this, kPublishViewWidthDu, kPublishViewHeightDu));
    CreateControls();
    OnInitialUpdate();
    SetSize(rect);
    GetResizeLayout().Relayout();
    return true;
}

void CTEVComponentDesignerPublishView::CreateControls() {
    m_pFilesGroup = new wxStaticBox(this, IDC_REQUIRED_FILES_GROUP, tev::Tr(kRequiredFilesCaption));
    Place(this, m_pFilesGroup, kRequiredFilesGroupRect);
    m_pLink = new CLinkCtrlEx(this, IDC_OPEN_PUBLISH_FOLDER, wxString());
    Place(this, m_pLink, kOpenPublishFolderRect);
    m_pList = new wxListBox(this, IDC_REQUIRED_FILES, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                            wxLB_SINGLE | wxLB_SORT | wxLB_NEEDED_SB | wxBORDER_THEME);
    Place(this, m_pList, kRequiredFilesRect);
    m_pPublishButton = new wxButton(this, IDC_PUBLISH, tev::Tr(kPublishCaption));
    Place(this, m_pPublishButton, kPublishRect);

    m_pHtmlGroup = new wxStaticBox(this, IDC_HTML_GROUP, tev::Tr(kHtmlCaption));
    Place(this, m_pHtmlGroup, kHtmlGroupRect);
    m_pHint = new wxStaticText(this, IDC_HTML_HINT, tev::Tr(kHtmlHintText), wxDefaultPosition,
                               wxDefaultSize, wxST_NO_AUTORESIZE);
    Place(this, m_pHint, kHtmlHintRect);
    m_pHint->Bind(wxEVT_SIZE, &CTEVComponentDesignerPublishView::OnHintSize, this);
    m_pHtmlEdit =
        new wxTextCtrl(this, IDC_HTML_CODE, wxString(), wxDefaultPosition, wxDefaultSize,
                       wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxVSCROLL | wxBORDER_THEME);
    Place(this, m_pHtmlEdit, kHtmlCodeRect);
    m_pCopyButton = new wxButton(this, IDC_COPY_TO_CLIPBOARD, tev::Tr(kCopyToClipboardCaption));
    Place(this, m_pCopyButton, kCopyToClipboardRect);

    m_pCopyButton->Bind(wxEVT_BUTTON, &CTEVComponentDesignerPublishView::OnCopyToClipboard, this);
    m_pPublishButton->Bind(wxEVT_BUTTON, &CTEVComponentDesignerPublishView::OnPublish, this);
}

void CTEVComponentDesignerPublishView::OnInitialUpdate() {
    SetResize(IDC_REQUIRED_FILES_GROUP, tev::kAnchorTopLeft, tev::ResizePoint{0.5, 1});
    SetResize(IDC_REQUIRED_FILES, tev::kAnchorTopLeft, tev::ResizePoint{0.5, 1});
    SetResize(IDC_HTML_GROUP, tev::kAnchorTopCenter, tev::kAnchorBottomRight);
    SetResize(IDC_HTML_HINT, tev::kAnchorTopCenter, tev::kAnchorBottomRight);
    SetResize(IDC_HTML_CODE, tev::kAnchorTopCenter, tev::kAnchorBottomRight);
    SetResize(IDC_COPY_TO_CLIPBOARD, tev::kAnchorBottomCenter, tev::kAnchorBottomRight);
    SetResize(IDC_PUBLISH, tev::kAnchorBottomLeft, tev::kAnchorBottomCenter);
    m_pLink->SetLabel(tev::Tr(kOpenPublishFolderText));
    SetPublishFolder("");
}

void CTEVComponentDesignerPublishView::OnPublish(wxCommandEvent&) {
    // The dialog's result is not used: it reports its own failures.
    RunPublishDialog(this, m_strPublishFolder);
}

void CTEVComponentDesignerPublishView::OnHintSize(wxSizeEvent& event) {
    ShowHint(event.GetSize().x);
    event.Skip();
}

void CTEVComponentDesignerPublishView::SetPublishFolder(const std::string& folder) {
    m_strPublishFolder = folder;
    if (m_pLink)
        m_pLink->SetTarget(folder);
    EnableControls(IsPublishEnabled());
}

void CTEVComponentDesignerPublishView::EnableControls(bool enable) {
    wxWindow* const controls[] = {m_pFilesGroup, m_pHtmlGroup,  m_pList,         m_pLink,
                                  m_pHtmlEdit,   m_pCopyButton, m_pPublishButton};
    for (wxWindow* control : controls) {
        if (control)
            control->Enable(enable);
    }
}

void CTEVComponentDesignerPublishView::SetProjectName(const std::string& name) {
    m_info.SetProjectName(name);
    UpdateHtmlCode();
}

void CTEVComponentDesignerPublishView::RefreshPublishInfo(const std::vector<std::string>* files,
                                                          const std::string* projectFile) {
    if (files)
        m_arrRequiredFiles = *files;
    else
        m_arrRequiredFiles.clear();
    if (m_pList) {
        m_pList->Clear();
        for (const std::string& file : m_arrRequiredFiles)
            m_pList->Append(wxString::FromUTF8(file));
    }
    if (m_pHint)
        ShowHint(m_pHint->GetSize().x);
    if (!m_info.ReadFlashNode(projectFile ? *projectFile : m_strComponentPath, m_strComponentPath))
        return;
    UpdateHtmlCode();
}

std::string CTEVComponentDesignerPublishView::GetHintText() const {
    const std::string files = CPublishInfo::FilesBesideThePage(m_arrRequiredFiles);
    const std::string hint = tev::Translate(kHtmlHintText);
    if (files.empty())
        return hint;
    return hint + tev::Format(tev::Translate(kHtmlHintFilesFormat).c_str(), files.c_str());
}

void CTEVComponentDesignerPublishView::ShowHint(int width) {
    // The hint wraps at the width it has now.
    m_pHint->SetLabel(wxString::FromUTF8(GetHintText()));
    m_pHint->Wrap(width);
}

void CTEVComponentDesignerPublishView::OnPropertyChanged(const std::string& name,
                                                         const std::string&,
                                                         const CComVariant& value) {
    if (m_info.ApplyProperty(name, value))
        UpdateHtmlCode();
}

void CTEVComponentDesignerPublishView::UpdateHtmlCode() {
    if (!m_pHtmlEdit)
        return;
    m_pHtmlEdit->ChangeValue(wxString::FromUTF8(m_info.GetHtmlCode()));
}

std::string CTEVComponentDesignerPublishView::GetHtmlCode() const {
    return m_pHtmlEdit ? m_pHtmlEdit->GetValue().utf8_string() : std::string();
}

void CTEVComponentDesignerPublishView::CopyToClipboard() {
    const std::string text = GetHtmlCode();
    if (!wxTheClipboard->Open())
        return;
    wxTheClipboard->Clear();
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
    wxTheClipboard->Close();
}

void CTEVComponentDesignerPublishView::OnCopyToClipboard(wxCommandEvent&) {
    CopyToClipboard();
}

} // namespace TEVComponentDesignerAfx
