#pragma once
// The part of a designer project that needs no window: the properties XML a project is saved
// as, the project file on disk, the saved snapshot behind the dirty test, and the copies of
// the editor control's data that decide when the preview must be refreshed.
//
// Properties XML (the text of the project file and of the published data file):
//   <?xml version="1.0" encoding="UTF-16" standalone="no"?>  LF CR
//   <flash>  LF
//   user-defined XML  LF
//   data section
//   </flash>
// The project file holds it as UTF-16LE with the byte-order mark FF FE and no line break
// after "</flash>".
#include <cstdint>
#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

class CDesignerProject {
public:
    static const char* const kXmlDeclaration;
    // The data of a new project, as the editor control receives it.
    static const char* const kNewProjectXml;
    // The project name of a new, untitled project.
    static const char* const kNewProjectName;

    // The properties XML from its parts; the template form leaves the data section out.
    static std::string AssemblePropertiesXml(const std::string& userDefinedXml,
                                             const std::string& dataSection);
    static std::string AssembleTemplateXml(const std::string& userDefinedXml);

    // folder/name.extension and folder/name; the folder may end with '/' or not.
    static std::string ProjectFilePath(const std::string& folder, const std::string& name,
                                       const std::string& extension);
    static std::string PublishFolderPath(const std::string& folder, const std::string& name);

    // Reads a project file (UTF-16LE with mark, or narrow text) and joins its lines without
    // separators: line feeds and the carriage returns that end lines go, a carriage return
    // at the start of a line stays. Characters that cannot be represented read as '#'.
    // False when the file cannot be opened.
    static bool ReadProjectText(const std::string& path, std::string& text);
    // What opening a file as a project found.
    enum class FileCheck {
        Project,    // a project: its text was read
        Missing,    // there is no such file
        Unreadable, // not a regular file, or it cannot be read
        TooLarge,   // larger than kMaxProjectFileSize
        Empty,      // no text at all
        NotText,    // control characters other than tab and line breaks: not a text file
        NotXml,     // text, but not well-formed XML
        NotProject, // XML whose root element is not "flash"
    };
    // No project comes near this size; larger files are refused before they are read.
    static constexpr std::uintmax_t kMaxProjectFileSize = 64u << 20;
    struct FileText {
        std::string text;   // the lines joined without separators, as ReadProjectText gives them
        std::string stored; // the whole text with its line breaks, as the file holds it
    };
    // Reads a file that is to be opened as a project and checks that it is one: a regular
    // file of at most kMaxProjectFileSize bytes holding text (UTF-16LE with mark, or narrow)
    // that is XML with the root element "flash". The start of the file is looked at before
    // the rest is read, so a large file of another kind is refused at once. `file` is set
    // only for a project.
    static FileCheck ReadProjectFile(const std::string& path, FileText& file);
    // The Data element directly below the root of `xml` exactly as the text holds it, not
    // written anew by a parser; false when the text does not parse or has no such element.
    static bool StoredDataSection(const std::string& xml, std::string& dataXml);

    // Writes `text` as UTF-16LE with the mark and no trailing line break. The old file is
    // replaced only once the new one is complete, so a failed save leaves it as it was.
    static bool WriteProjectText(const std::string& path, const std::string& text);

    // The files a published project needs beside its page, for the publish tab: the data
    // file (name.xml), the page, then the file names of the assets that exist.
    static std::vector<std::string> RequiredFiles(const std::string& name,
                                                  const std::string& pageName,
                                                  const std::vector<std::string>& assets);

    // The saved snapshot: the properties XML at the last New, Open or Save.
    void SetSavedXml(std::string xml) { m_savedXml = std::move(xml); }
    const std::string& GetSavedXml() const { return m_savedXml; }
    // Dirty while the current properties XML differs from the snapshot in any character.
    bool IsDirty(const std::string& currentXml) const { return currentXml != m_savedXml; }

    // The editor control's data and extended fragment as last taken from it. Each Take
    // stores the text and tells whether it differed from the stored copy.
    bool TakeDataXml(const std::string& dataXml);
    bool TakeExtendedXml(const std::string& extendedXml);
    void SetLastDataXml(std::string dataXml) { m_lastDataXml = std::move(dataXml); }
    const std::string& GetLastDataXml() const { return m_lastDataXml; }
    const std::string& GetLastExtendedXml() const { return m_lastExtendedXml; }

    // A new project: no saved text and no data copy.
    void Clear();

private:
    std::string m_savedXml;
    std::string m_lastDataXml;
    std::string m_lastExtendedXml;
};

} // namespace TEVComponentDesignerAfx
