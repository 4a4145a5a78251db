#include "designer/publish/PublishFolder.h"

#include "platform/shell/ShellPaths.h"
#include "platform/text/StdioFileEx.h"
#include "platform/text/StringUtil.h"

#include <filesystem>
#include <string_view>

namespace TEVComponentDesignerAfx {
namespace {

bool WriteText(const std::string& path, std::string_view text, unsigned kind) {
    CStdioFileEx file;
    // The old file gives way only to a complete new one.
    if (!file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite | kind |
                             CStdioFileEx::modeAtomicReplace))
        return false;
    const bool written = file.WriteString(text);
    return file.Close() && written;
}

} // namespace

bool CPublishFolder::IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool CPublishFolder::CopyOver(const std::string& from, const std::string& to) {
    std::error_code error;
    if (std::filesystem::equivalent(from, to, error))
        return true;
    return tev::CopyFileOver(from, to);
}

std::vector<std::string> CPublishFolder::Write(const std::string& folder, const Content& content) {
    const std::string target = tev::WithTrailingSlash(folder);
    tev::CreateDirectoryTree(folder);

    WriteText(target + content.name + ".xml", content.propertiesXml,
              CStdioFileEx::modeWriteUnicode);
    const bool pageListed = IsPlainFileName(content.pageName);
    if (pageListed) {
        const std::string_view page(content.htmlCode.c_str());
        WriteText(target + content.pageName, page, CStdioFileEx::typeBinary);
    }

    if (tev::FileExists(content.moviePath))
        CopyOver(content.moviePath, target + tev::FoundFileName(content.moviePath));

    std::vector<std::string> required;
    for (const std::string& asset : content.assets) {
        if (!tev::FileExists(asset))
            continue;
        const std::string fileName = tev::FoundFileName(asset);
        required.push_back(fileName);
        CopyOver(asset, target + fileName);
    }
    required.push_back(content.name + ".xml");
    if (pageListed)
        required.push_back(content.pageName);
    return required;
}

} // namespace TEVComponentDesignerAfx
