#include "platform/widgets/MessageBox.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

namespace tev {

static_assert(wxOK == 0x4, "the default style of MessageBox is wxOK");

int MessageBox(wxWindow* parent, const std::string& text, const std::string& caption, long style) {
    wxString title = wxString::FromUTF8(caption);
    if (title.empty() && wxTheApp)
        title = wxTheApp->GetAppDisplayName();
    if ((style & (wxOK | wxYES_NO | wxCANCEL)) == 0)
        style |= wxOK;
    wxMessageDialog dialog(parent, wxString::FromUTF8(text), title, style);
    const int result = dialog.ShowModal();
    // Closing a box that has no Cancel button counts as its safe answer.
    if (result == wxID_CANCEL && !(style & wxCANCEL))
        return (style & wxYES_NO) ? wxID_NO : wxID_OK;
    return result;
}

} // namespace tev
