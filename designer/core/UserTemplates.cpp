#include "designer/core/UserTemplates.h"

#include "designer/core/DesignerProject.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"

namespace TEVComponentDesignerAfx {

std::string CUserTemplates::FolderFor(const std::string& documentsFolder,
                                      const std::string& projectType) {
    if (documentsFolder.empty())
        return {};
    return tev::WithTrailingSlash(documentsFolder) + "Quorvane/" + projectType + "/Templates";
}

bool CUserTemplates::IsUsableFolderCode(int code) {
    return code == tev::kErrorSuccess || code == tev::kErrorFileExists ||
           code == tev::kErrorAlreadyExists;
}

CUserTemplates::Result CUserTemplates::WriteTemplate(const std::string& templatesFolder,
                                                     const std::string& name,
                                                     const std::string& templateXml) {
    Result result;
    result.styleFolder = tev::WithTrailingSlash(templatesFolder) + name;
    result.code = tev::CreateDirectoryTree(result.styleFolder);
    if (IsUsableFolderCode(result.code)) {
        result.written = CDesignerProject::WriteProjectText(
            tev::WithTrailingSlash(result.styleFolder) + kPropsFileName, templateXml);
    }
    return result;
}

} // namespace TEVComponentDesignerAfx
