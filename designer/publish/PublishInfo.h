#pragma once
// What the "Publish" page shows besides its file list, without a window: the component's
// movie file name and size, the project name, and the HTML fragment built from them that
// embeds the movie in a page.
//
// The fragment has eight lines, each ending with CR LF. The first loads the player beside the
// page, so the fragment works wherever it is pasted:
//   <script type="text/javascript" src="swfobject.js"></script>
//   <OBJECT classid="clsid:D27CDB6E-..." codebase="<installer>#version=8,0,0,0" WIDTH="w"
//   HEIGHT="h" id="component"> <PARAM NAME="movie" VALUE="movie"> <PARAM NAME="quality" VALUE=high>
//   <PARAM NAME="FlashVars" VALUE="tev_xmlConnectorURL=name.xml">
//   <EMBED src="movie" FlashVars="tev_xmlConnectorURL=name.xml" quality="high" WIDTH="w" HEIGHT="h"
//   NAME="component" TYPE="application/x-shockwave-flash" PLUGINSPAGE="<download page>">
//   </EMBED>
//   </OBJECT>
// Names go in as they are, without HTML or URL escaping, so the fragment names exactly the
// files of the publish folder.
#include "platform/com/Variant.h"

#include <string>
#include <vector>

namespace TEVComponentDesignerAfx {

// Where a visitor's browser gets the Flash Player: the installer for the OBJECT element's
// codebase and the download page for the EMBED element's plug-in page.
constexpr const char* kFlashPlayerInstallerUrl =
    "https://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab";
constexpr const char* kFlashPlayerDownloadUrl = "https://www.adobe.com/go/getflashplayer";

class CPublishInfo {
public:
    // Width and height when the movie's description gives none (or no number).
    static constexpr int kDefaultSize = 200;

    static std::string FormatHtmlCode(int width, int height, const std::string& movieFileName,
                                      const std::string& projectName);
    // The files a page with the fragment needs beside it: the required files but pages,
    // sorted as the list shows them (letter case aside), joined with ", ".
    static std::string FilesBesideThePage(const std::vector<std::string>& requiredFiles);
    std::string GetHtmlCode() const {
        return FormatHtmlCode(m_nWidth, m_nHeight, m_strMovieFileName, m_strProjectName);
    }

    // Reads the "Flash" child of the document element of `xmlPath`: the size from its
    // "width" and "height" attributes (200 each when absent) and the movie file name from
    // its "path" attribute, which names a file in the folder of `componentPath` (the
    // component descriptor's folder, whatever document is read). False, with nothing
    // changed, when the file does not load, has no "Flash" child or the child has no
    // "path". A movie file that does not exist keeps the previous movie file name.
    bool ReadFlashNode(const std::string& xmlPath, const std::string& componentPath);

    // A property value as the designer notifies it: "Width" and "Height" (exactly so
    // written) set the size when the value reads as an integer; other names are ignored.
    // True when the value was taken.
    bool ApplyProperty(const std::string& name, const CComVariant& value);

    void SetProjectName(const std::string& name) { m_strProjectName = name; }
    const std::string& GetProjectName() const { return m_strProjectName; }
    const std::string& GetMovieFileName() const { return m_strMovieFileName; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

private:
    std::string m_strProjectName;
    std::string m_strMovieFileName;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

} // namespace TEVComponentDesignerAfx
