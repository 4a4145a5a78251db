#pragma once
// The publish folder that every save fills beside the project file, without a window:
//
//   folder/name.xml   the data file the movie reads: the project's properties XML as
//                     UTF-16LE with the byte-order mark FF FE, byte for byte the project file
//   folder/page       the index page: the page text's bytes as they are, no byte-order mark
//   folder/movie      the component's movie, under its own file name
//   folder/asset      every asset that exists (swfobject.js among them), under its own name
//
// Files already there are overwritten; files no longer part of the project stay. Nothing is
// reported: a file that cannot be written or copied is passed over and the rest are still
// written.
#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

class CPublishFolder {
public:
    struct Content {
        std::string name;                // project name; the data file is name + ".xml"
        std::string pageName;            // file name of the index page
        std::string propertiesXml;       // text of the data file
        std::string htmlCode;            // text of the index page, written up to a first zero
        std::string moviePath;           // full path of the component's movie
        std::vector<std::string> assets; // full paths, in list order
    };

    // Writes `content` into `folder` (created when it went missing) and returns the
    // required files: the file names of the assets that exist, in list order, then the
    // data file and the index page.
    static std::vector<std::string> Write(const std::string& folder, const Content& content);

    // True for a name that stays inside the folder it is joined to: not empty, no '/', not
    // "." or "..". An index page name that is not one is neither written nor listed.
    static bool IsPlainFileName(const std::string& name);

    // Copies `from` over `to`; a file is never copied onto itself (which would empty it).
    static bool CopyOver(const std::string& from, const std::string& to);
};

} // namespace TEVComponentDesignerAfx
