#include "platform/help/HtmlHelp.h"

#include "platform/shell/ShellPaths.h"

#include <wx/filesys.h>
#include <wx/fs_zip.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/log.h>

namespace tev {
namespace {

// Books are zip archives read through the toolkit's virtual file system.
void AddZipHandlerOnce() {
    static bool added = false;
    if (!added) {
        wxFileSystem::AddHandler(new wxZipFSHandler);
        added = true;
    }
}

} // namespace

HtmlHelp::HtmlHelp(std::string bookPath) : m_bookPath(std::move(bookPath)) {}

HtmlHelp::~HtmlHelp() = default;

bool HtmlHelp::EnsureLoaded() {
    if (m_failed)
        return false;
    if (m_controller)
        return true;
    if (!FileExists(m_bookPath)) {
        m_failed = true;
        return false;
    }
    AddZipHandlerOnce();
    auto controller = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE);
    // A damaged book must not pop up the toolkit's error boxes.
    wxLogNull quiet;
    if (!controller->AddBook(wxFileName(wxString::FromUTF8(m_bookPath)), false)) {
        m_failed = true;
        return false;
    }
    m_controller = std::move(controller);
    return true;
}

bool HtmlHelp::DisplayContents() {
    if (!EnsureLoaded())
        return false;
    wxLogNull quiet;
    const bool shown = m_controller->DisplayContents();
    PlaceWindow();
    return shown;
}

bool HtmlHelp::DisplayPage(const std::string& page) {
    if (!EnsureLoaded())
        return false;
    wxLogNull quiet;
    const bool shown = m_controller->Display(wxString::FromUTF8(page));
    PlaceWindow();
    return shown;
}

void HtmlHelp::PlaceWindow() {
    wxWindow* window = GetHelpWindow();
    if (!window || window == m_placedWindow)
        return;
    // The toolkit opens the viewer small; give the contents and a page room, once per window.
    window->SetSize(window->FromDIP(wxSize(900, 640)));
    window->Centre(wxBOTH);
    m_placedWindow = window;
}

wxWindow* HtmlHelp::GetHelpWindow() const {
    if (!m_controller)
        return nullptr;
    return m_controller->GetFrame();
}

} // namespace tev
