#include "designer/core/DesignerProject.h"

#include "platform/shell/ShellPaths.h"
#include "platform/text/StdioFileEx.h"
#include "platform/text/StringUtil.h"
#include "platform/text/TextConvert.h"
#include "platform/xml/XmlDom.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace TEVComponentDesignerAfx {
namespace {

using FileCheck = CDesignerProject::FileCheck;

// How much of a file is looked at before the rest is read.
constexpr std::size_t kSniffSize = 4096;
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The text of a file's bytes, UTF-8: UTF-16LE after its mark (an odd last byte is dropped,
// unpaired surrogates read as '#'), otherwise the bytes as they are.
std::string DecodedText(std::string_view bytes) {
    if (!tev::StartsWith(bytes, kUtf16Mark))
        return std::string(bytes);
    std::u16string units((bytes.size() - kUtf16Mark.size()) / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[kUtf16Mark.size() + 2 * i]);
        const auto high = static_cast<unsigned char>(bytes[kUtf16Mark.size() + 2 * i + 1]);
        units[i] = static_cast<char16_t>(low | high << 8);
    }
    return tev::Utf16ToUtf8(units, '#');
}

// Text has no control characters but tab and line breaks; other files (pictures, archives,
// programs) have them within their first bytes.
bool IsText(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

// XML starts with markup, after a byte-order mark and blanks; text that has nothing else
// yet cannot tell.
bool MayBeXml(std::string_view text) {
    if (tev::StartsWith(text, kUtf8Mark))
        text.remove_prefix(kUtf8Mark.size());
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos || text[first] == '<';
}

// The lines of `text` joined without separators: line feeds go, and one carriage return
// before each of them.
std::string JoinedLines(std::string_view text) {
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t begin = 0; begin <= text.size();) {
        std::size_t end = text.find('\n', begin);
        const bool last = end == std::string_view::npos;
        if (last)
            end = text.size();
        std::size_t lineEnd = end;
        if (!last && lineEnd > begin && text[lineEnd - 1] == '\r')
            --lineEnd;
        joined.append(text.substr(begin, lineEnd - begin));
        begin = end + 1;
    }
    return joined;
}

// The end (one past the '>') of the tag that starts at `at`; '>' inside quoted attribute
// values does not end it. npos when the text ends first.
std::size_t TagEnd(std::string_view xml, std::size_t at) {
    char quote = 0;
    for (; at < xml.size(); ++at) {
        const char c = xml[at];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return at + 1;
        }
    }
    return std::string_view::npos;
}

// The end of what starts at `at` when it is a comment, a CDATA section or a processing
// instruction; 0 when it is none of them, npos when it is not closed.
std::size_t SpecialEnd(std::string_view xml, std::size_t at) {
    struct Markup {
        std::string_view open;
        std::string_view close;
    };
    constexpr Markup kMarkups[] = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
    for (const Markup& markup : kMarkups) {
        if (xml.compare(at, markup.open.size(), markup.open) != 0)
            continue;
        const std::size_t close = xml.find(markup.close, at + markup.open.size());
        return close == std::string_view::npos ? close : close + markup.close.size();
    }
    return 0;
}

// The end of the element whose start tag begins at `start`, in well-formed XML; npos when
// the text ends first.
std::size_t ElementEnd(std::string_view xml, std::size_t start) {
    int depth = 0;
    for (std::size_t at = xml.find('<', start); at != std::string_view::npos;
         at = xml.find('<', at)) {
        const std::size_t special = SpecialEnd(xml, at);
        if (special != 0) {
            at = special;
            continue;
        }
        const std::size_t end = TagEnd(xml, at);
        if (end == std::string_view::npos)
            return end;
        if (xml[at + 1] == '/')
            --depth;
        else if (xml[end - 2] != '/')
            ++depth;
        if (depth == 0)
            return end;
        at = end;
    }
    return std::string_view::npos;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Reads the file's bytes in two steps: its start, which must look like the start of a
// project, then the rest; nothing is set aside for the rest before the start passed.
FileCheck ReadCheckedBytes(const std::string& path, std::uintmax_t size, std::string& bytes) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return FileCheck::Unreadable;
    bytes.resize(std::min<std::size_t>(static_cast<std::size_t>(size), kSniffSize));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return FileCheck::Unreadable;
    // A UTF-16 unit cut in two at the end of the look is left for the whole text.
    const std::string start =
        DecodedText(std::string_view(bytes).substr(0, bytes.size() & ~std::size_t{1}));
    if (!IsText(start))
        return FileCheck::NotText;
    if (!MayBeXml(start))
        return FileCheck::NotXml;
    const std::size_t sniffed = bytes.size();
    bytes.resize(static_cast<std::size_t>(size));
    // The file may have shrunk since its size was taken; what is there is read.
    bytes.resize(sniffed +
                 std::fread(bytes.data() + sniffed, 1, bytes.size() - sniffed, file.get()));
    return std::ferror(file.get()) ? FileCheck::Unreadable : FileCheck::Project;
}

} // namespace

const char* const CDesignerProject::kXmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>";
const char* const CDesignerProject::kNewProjectXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>"
    "<flash><tev/><UserDefined/><Data/></flash>";
const char* const CDesignerProject::kNewProjectName = "project";

std::string CDesignerProject::AssemblePropertiesXml(const std::string& userDefinedXml,
                                                    const std::string& dataSection) {
    return std::string(kXmlDeclaration) + "\n\r" + "<flash>\n" + userDefinedXml + "\n" +
           dataSection + "</flash>";
}

std::string CDesignerProject::AssembleTemplateXml(const std::string& userDefinedXml) {
    return std::string(kXmlDeclaration) + "\n\r" + "<flash>\n" + userDefinedXml + "\n" + "</flash>";
}

std::string CDesignerProject::ProjectFilePath(const std::string& folder, const std::string& name,
                                              const std::string& extension) {
    return tev::WithTrailingSlash(folder) + name + "." + extension;
}

std::string CDesignerProject::PublishFolderPath(const std::string& folder,
                                                const std::string& name) {
    return tev::WithTrailingSlash(folder) + name;
}

bool CDesignerProject::ReadProjectText(const std::string& path, std::string& text) {
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::modeRead | CStdioFileEx::typeText))
        return false;
    std::string joined;
    for (std::string line; file.ReadString(line);)
        joined += line;
    file.Close();
    text = std::move(joined);
    return true;
}

CDesignerProject::FileCheck CDesignerProject::ReadProjectFile(const std::string& path,
                                                              FileText& file) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        return FileCheck::Missing;
    // Only a regular file: reading a pipe or a device could wait for ever.
    if (!fs::is_regular_file(status))
        return FileCheck::Unreadable;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error)
        return FileCheck::Unreadable;
    if (size > kMaxProjectFileSize)
        return FileCheck::TooLarge;
    std::string bytes;
    const FileCheck read = ReadCheckedBytes(path, size, bytes);
    if (read != FileCheck::Project)
        return read;
    std::string stored = DecodedText(bytes);
    if (stored.empty())
        return FileCheck::Empty;
    if (!IsText(stored))
        return FileCheck::NotText;
    std::string text = JoinedLines(stored);
    pugi::xml_document doc;
    if (!tev::LoadXml(doc, text))
        return FileCheck::NotXml;
    if (std::string_view(doc.document_element().name()) != "flash")
        return FileCheck::NotProject;
    file.text = std::move(text);
    file.stored = std::move(stored);
    return FileCheck::Project;
}

bool CDesignerProject::StoredDataSection(const std::string& xml, std::string& dataXml) {
    pugi::xml_document doc;
    if (!tev::LoadXml(doc, xml))
        return false;
    const pugi::xml_node data = doc.document_element().child("Data");
    // The parser gives where the element's name starts, just after its '<'.
    const std::ptrdiff_t name = data ? data.offset_debug() : -1;
    if (name < 1 || static_cast<std::size_t>(name) > xml.size() || xml[name - 1] != '<')
        return false;
    const std::size_t start = static_cast<std::size_t>(name) - 1;
    const std::size_t end = ElementEnd(xml, start);
    if (end == std::string_view::npos)
        return false;
    dataXml = xml.substr(start, end - start);
    return true;
}

bool CDesignerProject::WriteProjectText(const std::string& path, const std::string& text) {
    CStdioFileEx file;
    if (!file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite |
                             CStdioFileEx::modeWriteUnicode | CStdioFileEx::modeAtomicReplace))
        return false;
    const bool written = file.WriteString(text);
    // Close puts the new file in place only when everything was written.
    return file.Close() && written;
}

std::vector<std::string> CDesignerProject::RequiredFiles(const std::string& name,
                                                         const std::string& pageName,
                                                         const std::vector<std::string>& assets) {
    std::vector<std::string> files{name + ".xml", pageName};
    for (const std::string& asset : assets) {
        if (tev::FileExists(asset))
            files.push_back(tev::FoundFileName(asset));
    }
    return files;
}

bool CDesignerProject::TakeDataXml(const std::string& dataXml) {
    if (dataXml == m_lastDataXml)
        return false;
    m_lastDataXml = dataXml;
    return true;
}

bool CDesignerProject::TakeExtendedXml(const std::string& extendedXml) {
    if (extendedXml == m_lastExtendedXml)
        return false;
    m_lastExtendedXml = extendedXml;
    return true;
}

void CDesignerProject::Clear() {
    m_savedXml.clear();
    m_lastDataXml.clear();
}

} // namespace TEVComponentDesignerAfx
