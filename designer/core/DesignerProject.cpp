#include "designer/core/DesignerProject.h"

#include "platform/shell/ShellPaths.h"
#include "platform/text/StdioFileEx.h"
#include "platform/text/StringUtil.h"

namespace TEVComponentDesignerAfx {

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
