#include "designer/templates/PreviewPage.h"

#include "designer/templates/PageText.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"

namespace TEVComponentDesignerAfx {
namespace {

void ReplaceSize(std::string& page, int width, int height) {
    tev::ReplaceAll(page, "{width}", std::to_string(width));
    tev::ReplaceAll(page, "{height}", std::to_string(height));
    tev::ReplaceAll(page, "{halfheight}", std::to_string(height / 2));
}

} // namespace

std::string CPreviewPage::BuildPreview(std::string_view pageTemplate, const std::string& moviePath,
                                       int width, int height) {
    std::string page(pageTemplate);
    tev::ReplaceAll(page, "{ComponentPath}", HtmlEscaped(FileUrlOf(moviePath)));
    tev::ReplaceAll(page, "{PreviewPath}", kPreviewPath);
    ReplaceSize(page, width, height);
    return page;
}

std::string CPreviewPage::BuildIndexPage(std::string_view pageTemplate,
                                         const std::string& moviePath,
                                         const std::string& projectName, int width, int height) {
    std::string page(pageTemplate);
    if (!moviePath.empty() && tev::FileExists(moviePath)) {
        tev::ReplaceAll(page, "{ComponentPath}",
                        ScriptStringEscaped(UrlPathEncoded(tev::FoundFileName(moviePath))));
    }
    tev::ReplaceAll(page, "{PreviewPath}",
                    ScriptStringEscaped(FlashVarEncoded(UrlPathEncoded(projectName + ".xml"))));
    ReplaceSize(page, width, height);
    return page;
}

} // namespace TEVComponentDesignerAfx
