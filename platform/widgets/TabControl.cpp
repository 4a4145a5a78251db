#include "platform/widgets/TabControl.h"

namespace tev {

bool TabControl::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                        long style, const wxString& name) {
    return wxNotebook::Create(parent, id, pos, size, style | wxCLIP_CHILDREN, name);
}

int TabControl::AddView(wxWindow* view, const std::string& caption) {
    if (!view)
        return -1;
    // Pages are put in place without a selection change; the owner activates one.
    if (!InsertPage(GetPageCount(), view, wxString::FromUTF8(caption), false))
        return -1;
    return GetViewCount() - 1;
}

wxWindow* TabControl::GetView(int index) const {
    if (index < 0 || index >= GetViewCount())
        return nullptr;
    return GetPage(static_cast<size_t>(index));
}

int TabControl::FindView(const wxWindow* view) const {
    for (int i = 0; i < GetViewCount(); ++i) {
        if (GetPage(static_cast<size_t>(i)) == view)
            return i;
    }
    return -1;
}

std::string TabControl::GetViewCaption(int index) const {
    if (index < 0 || index >= GetViewCount())
        return {};
    return GetPageText(static_cast<size_t>(index)).utf8_string();
}

void TabControl::SetActiveView(int index) {
    const int old = GetSelection();
    if (index < 0 || index >= GetViewCount() || index == old)
        return;
    // The events are sent here rather than left to the native control, so that their order
    // and the old page they name are the same on every platform.
    wxBookCtrlEvent changing(wxEVT_NOTEBOOK_PAGE_CHANGING, GetId(), index, old);
    changing.SetEventObject(this);
    GetEventHandler()->ProcessEvent(changing);
    ChangeSelection(static_cast<size_t>(index));
    wxBookCtrlEvent changed(wxEVT_NOTEBOOK_PAGE_CHANGED, GetId(), index, old);
    changed.SetEventObject(this);
    GetEventHandler()->ProcessEvent(changed);
}

void TabControl::ActivateViewSilently(int index) {
    if (index >= 0 && index < GetViewCount())
        ChangeSelection(static_cast<size_t>(index));
}

void TabControl::SetTabPadding(int horizontal, int vertical) {
    SetPadding(wxSize(horizontal, vertical));
}

} // namespace tev
