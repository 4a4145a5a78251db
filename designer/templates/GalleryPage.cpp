#include "designer/templates/GalleryPage.h"

#include "designer/templates/PageText.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace TEVComponentDesignerAfx {
namespace {

constexpr int kLargestThumbnail = 10000;

// The script call of a card: the props.xml path as a script string inside an attribute.
std::string ClickHandler(const std::string& propsPath) {
    return "jsTemplateClick('" + HtmlEscaped(ScriptStringEscaped(propsPath)) + "');return false;";
}

} // namespace

int CGalleryPage::ThumbnailHeight(int movieWidth, int movieHeight) {
    if (movieWidth <= 0)
        return kThumbnailWidth;
    const double height = movieHeight / (movieWidth * 0.008);
    if (!(height >= 1))
        return 1;
    return height > kLargestThumbnail ? kLargestThumbnail : static_cast<int>(height);
}

std::vector<CGalleryPage::Template>
CGalleryPage::FindTemplates(const std::vector<std::string>& roots) {
    namespace fs = std::filesystem;
    std::vector<Template> found;
    for (const std::string& rootText : roots) {
        if (rootText.empty())
            continue;
        const std::string root = tev::WithTrailingSlash(rootText);
        std::vector<std::string> names;
        std::error_code error;
        for (fs::directory_iterator it(root, error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (name != "." && name != ".." && tev::FolderExists(root + name))
                names.push_back(name);
        }
        // Listed by name, as NTFS returns them on Windows, rather than in the arbitrary
        // order of the directory here.
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            const std::string la = tev::ToLowerAscii(a), lb = tev::ToLowerAscii(b);
            return la != lb ? la < lb : a < b;
        });
        for (const std::string& name : names) {
            Template entry;
            entry.name = name;
            entry.folder = root + name;
            entry.propsPath = entry.folder + "/props.xml";
            entry.thumbnailPath = entry.folder + "/" + name + ".png";
            entry.hasThumbnail = tev::FileExists(entry.thumbnailPath);
            found.push_back(std::move(entry));
        }
    }
    return found;
}

std::string CGalleryPage::BuildList(const std::vector<Template>& templates,
                                    const CComponentMovie& movie) {
    const std::string movieUrl = FileUrlOf(movie.path);
    const int thumbnailHeight = ThumbnailHeight(movie.width, movie.height);
    std::string list;
    int number = 0;
    for (const Template& entry : templates) {
        list += "<li>";
        if (entry.hasThumbnail) {
            list += "<a href=\"#\" onclick=\"" + ClickHandler(entry.propsPath) + "\"><img src=\"" +
                    HtmlEscaped(UrlPathEncoded(entry.thumbnailPath)) + "\" border=0></a>";
        } else {
            // The movie does not call back when clicked, so the live thumbnail sits in a link
            // of its own: a style without an image can be chosen too.
            const std::string flashVars =
                "tev_xmlConnectorURL=" + HtmlEscaped(FlashVarEncoded(entry.propsPath)) +
                "&tev_orientation=horizontal&tev_labelText=Calendar&tev_template=" +
                HtmlEscaped(FlashVarEncoded(entry.propsPath));
            list += "<a href=\"#\" class=\"live\" onclick=\"" + ClickHandler(entry.propsPath) +
                    "\">" +
                    FlashObjectStartTag(kThumbnailWidth, thumbnailHeight,
                                        "preview" + std::to_string(number)) +
                    "<PARAM NAME=movie VALUE=\"" + HtmlEscaped(movieUrl) + "\">" +
                    "<PARAM NAME=quality VALUE=high>" + "<PARAM NAME=FlashVars VALUE=\"" +
                    flashVars + "\">" + "</OBJECT></a>";
        }
        list += "</li><p>" + HtmlEscaped(entry.name) + "</p>";
        ++number;
    }
    return list;
}

std::string CGalleryPage::BuildPage(std::string_view pageTemplate, const CComponentMovie& movie,
                                    const std::vector<std::string>& roots) {
    std::string page(pageTemplate);
    tev::ReplaceAll(page, "{ComponentPath}", HtmlEscaped(FileUrlOf(movie.path)));
    tev::ReplaceAll(page, "{Gallery}", BuildList(FindTemplates(roots), movie));
    return page;
}

} // namespace TEVComponentDesignerAfx
