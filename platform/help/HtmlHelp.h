#pragma once
// Help books in HTML Help Workshop form (.hhp project, .hhc contents, .hhk index, pages),
// zipped into a .htb book and shown by the toolkit's HTML help viewer.
//
// The book is opened on the first request. When that fails (no book, not a book), help is
// unavailable for the life of the object: requests then do nothing, quietly, and do not
// try again.
#include <memory>
#include <string>

class wxHtmlHelpController;
class wxWindow;

namespace tev {

class HtmlHelp {
public:
    // The help window is a top-level window of its own, closed when this object goes.
    explicit HtmlHelp(std::string bookPath);
    ~HtmlHelp();
    HtmlHelp(const HtmlHelp&) = delete;
    HtmlHelp& operator=(const HtmlHelp&) = delete;

    // Shows the book's table of contents; false when help is unavailable.
    bool DisplayContents();
    // Shows the page of the book named `page` (its file name within the book).
    bool DisplayPage(const std::string& page);

    // False once opening the book failed.
    bool IsAvailable() const { return !m_failed; }
    bool IsLoaded() const { return m_controller != nullptr; }
    // The help window while it is shown, else null.
    wxWindow* GetHelpWindow() const;
    const std::string& GetBookPath() const { return m_bookPath; }

private:
    bool EnsureLoaded();
    void PlaceWindow();

    std::string m_bookPath;
    std::unique_ptr<wxHtmlHelpController> m_controller;
    bool m_failed = false;
    wxWindow* m_placedWindow = nullptr;
};

} // namespace tev
