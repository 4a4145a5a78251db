#pragma once
// The text of the style gallery: one card per template folder found in the template roots,
// showing the folder's thumbnail image or, without one, the movie itself playing the
// template's values in miniature, with the folder's name under it. Clicking a card calls
// jsTemplateClick with the template's props.xml path.
#include "designer/templates/ComponentMovie.h"

#include <string>
#include <string_view>
#include <vector>

namespace TEVComponentDesignerAfx {

class CGalleryPage {
public:
    // Live thumbnails are this wide; their height keeps the movie's proportions.
    static constexpr int kThumbnailWidth = 125;

    struct Template {
        std::string name;          // the folder's name
        std::string folder;        // root + name
        std::string propsPath;     // folder + "/props.xml" (the file need not exist)
        std::string thumbnailPath; // folder + "/" + name + ".png"
        bool hasThumbnail = false;
    };

    // height / (width x 0.008), truncated: the movie scaled to 125 pixels wide. A movie
    // without a usable width gives a square thumbnail; the result is kept within 1..10000.
    static int ThumbnailHeight(int movieWidth, int movieHeight);

    // The template folders of every root in order (a missing trailing '/' is added); within a
    // root, the folders in name order. A root that does not exist gives nothing.
    static std::vector<Template> FindTemplates(const std::vector<std::string>& roots);

    // The list items, in order, numbering the live thumbnails' ids from 0 by position.
    static std::string BuildList(const std::vector<Template>& templates,
                                 const CComponentMovie& movie);

    // The page: "{ComponentPath}" in `pageTemplate` becomes the movie's file: URL, then
    // "{Gallery}" the list of the templates found in `roots`.
    static std::string BuildPage(std::string_view pageTemplate, const CComponentMovie& movie,
                                 const std::vector<std::string>& roots);
};

} // namespace TEVComponentDesignerAfx
