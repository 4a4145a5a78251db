#pragma once
// User styles: one folder per style below the user templates folder
// (the user's data folder/Quorvane/<project type>/Templates), each holding props.xml, the
// template form of the project's properties XML in UTF-16LE with the mark FF FE.
#include <string>

namespace TEVComponentDesignerAfx {

class CUserTemplates {
public:
    static constexpr const char* kPropsFileName = "props.xml";

    // The user templates folder below `baseFolder` (no trailing '/'); "" when the base
    // folder is "".
    static std::string FolderFor(const std::string& baseFolder, const std::string& projectType);
    // Moves every style of `olderFolder` into `templatesFolder`, except those whose name is
    // taken there already. Returns how many moved.
    static int MoveOver(const std::string& olderFolder, const std::string& templatesFolder);

    struct Result {
        int code = 0;            // the create-directory result for the style folder
        std::string styleFolder; // templates folder + '/' + name
        bool written = false;    // props.xml was written
    };
    // Creates the style folder `name` (unchanged: a '/' in it makes nested folders) and,
    // when it was created or already exists, writes props.xml with `templateXml`, replacing
    // an older one whole.
    static Result WriteTemplate(const std::string& templatesFolder, const std::string& name,
                                const std::string& templateXml);
    // Whether `code` lets the style be written (created, already there, or in the way as a
    // file, in which case the file simply cannot be written).
    static bool IsUsableFolderCode(int code);
};

} // namespace TEVComponentDesignerAfx
