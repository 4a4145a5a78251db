#pragma once
// The two pages made from the preview's movie and size: the page the preview shows (the
// movie centred in the pane, reading its values from "about:props.xml") and the index page
// that saving publishes beside the data file.
#include <string>
#include <string_view>

namespace TEVComponentDesignerAfx {

class CPreviewPage {
public:
    // Where the preview's movie reads its properties and data.
    static constexpr const char* kPreviewPath = "about:props.xml";

    // The preview page from its template: "{ComponentPath}" = the movie's file: URL,
    // "{PreviewPath}" = "about:props.xml", "{width}", "{height}", "{halfheight}" = height / 2.
    static std::string BuildPreview(std::string_view pageTemplate, const std::string& moviePath,
                                    int width, int height);

    // The published index page from its template. "{ComponentPath}" becomes the movie's file
    // name when a file exists at `moviePath` and stays otherwise; "{PreviewPath}" becomes
    // projectName + ".xml"; then "{width}", "{height}" and "{halfheight}" (height / 2,
    // truncated toward zero). Both names sit in script string literals of a page declared
    // ISO-8859-1 and are used there as relative URLs, so each is URL-encoded where a URL
    // would misread it (the data file's name once more, as the player URL-decodes Flash
    // variables) and then escaped for the literal.
    static std::string BuildIndexPage(std::string_view pageTemplate, const std::string& moviePath,
                                      const std::string& projectName, int width, int height);
};

} // namespace TEVComponentDesignerAfx
