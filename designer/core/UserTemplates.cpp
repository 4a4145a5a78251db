#include "designer/core/UserTemplates.h"

#include "designer/core/DesignerProject.h"
#include "platform/shell/ShellPaths.h"
#include "platform/shell/UserFolders.h"
#include "platform/text/StringUtil.h"

#include <filesystem>
#include <vector>

namespace TEVComponentDesignerAfx {

std::string CUserTemplates::FolderFor(const std::string& baseFolder,
                                      const std::string& projectType) {
    if (baseFolder.empty())
        return {};
    return tev::WithTrailingSlash(baseFolder) + "Quorvane/" + projectType + "/Templates";
}

int CUserTemplates::MoveOver(const std::string& olderFolder, const std::string& templatesFolder) {
    std::error_code error;
    if (olderFolder.empty() || !std::filesystem::is_directory(olderFolder, error) ||
        std::filesystem::equivalent(olderFolder, templatesFolder, error))
        return 0;
    std::vector<std::filesystem::path> styles;
    for (const auto& entry : std::filesystem::directory_iterator(olderFolder, error)) {
        if (entry.is_directory(error))
            styles.push_back(entry.path());
    }
    int moved = 0;
    for (const std::filesystem::path& style : styles) {
        const std::string target =
            tev::WithTrailingSlash(templatesFolder) + style.filename().string();
        if (!tev::FolderExists(target) && tev::MoveOverOnce(style.string(), target))
            ++moved;
    }
    return moved;
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
