#include "designer/publish/PublishInfo.h"

#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"
#include "platform/xml/XmlDom.h"
#include "resources/designer/DesignerStrings.h"

#include <algorithm>
#include <cctype>

namespace TEVComponentDesignerAfx {

using namespace tev::designer;

namespace {

constexpr const char* kFlashClassId = "clsid:D27CDB6E-AE6D-11cf-96B8-444553540000";
constexpr const char* kLineEnd = "\r\n";
constexpr const char* kPlayerScript =
    "<script type=\"text/javascript\" src=\"swfobject.js\"></script>";

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsPage(const std::string& name) {
    const std::string lowered = Lowered(name);
    for (const std::string ending : {".html", ".htm"}) {
        if (lowered.size() > ending.size() &&
            lowered.compare(lowered.size() - ending.size(), ending.size(), ending) == 0)
            return true;
    }
    return false;
}

// The attribute's text as a 32-bit integer; `fallback` when it is absent or no number.
int SizeAttribute(const pugi::xml_node& node, const char* name, int fallback) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        return fallback;
    int32_t value = 0;
    return CComVariant(std::string_view(attribute.value())).ToInt(value) ? value : fallback;
}

} // namespace

std::string CPublishInfo::FormatHtmlCode(int width, int height, const std::string& movieFileName,
                                         const std::string& projectName) {
    std::string code = std::string(kPlayerScript) + kLineEnd;
    code += tev::Format("<OBJECT classid=\"%s\" codebase=\"%s#version=8,0,0,0\" WIDTH=\"%d\" "
                        "HEIGHT=\"%d\" id=\"component\">",
                        kFlashClassId, kFlashPlayerInstallerUrl, width, height);
    code += kLineEnd;
    code += "<PARAM NAME=\"movie\" VALUE=\"" + movieFileName + "\">" + kLineEnd;
    code += std::string("<PARAM NAME=\"quality\" VALUE=high>") + kLineEnd;
    code += "<PARAM NAME=\"FlashVars\" VALUE=\"tev_xmlConnectorURL=" + projectName + ".xml\">" +
            kLineEnd;
    code += "<EMBED src=\"" + movieFileName + "\" FlashVars=\"tev_xmlConnectorURL=" + projectName +
            ".xml\"" +
            tev::Format(" quality=\"high\" WIDTH=\"%d\" HEIGHT=\"%d\" NAME=\"component\" "
                        "TYPE=\"application/x-shockwave-flash\" PLUGINSPAGE=\"%s\">",
                        width, height, kFlashPlayerDownloadUrl);
    code += kLineEnd;
    code += std::string("</EMBED>") + kLineEnd;
    code += std::string("</OBJECT>") + kLineEnd;
    return code;
}

std::string CPublishInfo::FilesBesideThePage(const std::vector<std::string>& requiredFiles) {
    std::vector<std::string> files;
    std::copy_if(requiredFiles.begin(), requiredFiles.end(), std::back_inserter(files),
                 [](const std::string& name) { return !IsPage(name); });
    std::sort(files.begin(), files.end(),
              [](const std::string& a, const std::string& b) { return Lowered(a) < Lowered(b); });
    std::string text;
    for (const std::string& name : files)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

bool CPublishInfo::ReadFlashNode(const std::string& xmlPath, const std::string& componentPath) {
    pugi::xml_document doc;
    if (xmlPath.empty() || !tev::LoadXmlFile(doc, xmlPath))
        return false;
    const pugi::xml_node flash = doc.document_element().child("Flash");
    if (!flash || !flash.attribute("path"))
        return false;
    m_nWidth = SizeAttribute(flash, "width", kDefaultSize);
    m_nHeight = SizeAttribute(flash, "height", kDefaultSize);
    const std::string movie = tev::FolderOf(componentPath) + tev::AttributeText(flash, "path");
    if (tev::FileExists(movie))
        m_strMovieFileName = tev::FoundFileName(movie);
    return true;
}

bool CPublishInfo::ApplyProperty(const std::string& name, const CComVariant& value) {
    int* target = nullptr;
    if (name == DesignerString(IDS_PROPERTY_WIDTH))
        target = &m_nWidth;
    else if (name == DesignerString(IDS_PROPERTY_HEIGHT))
        target = &m_nHeight;
    int32_t number = 0;
    if (!target || !value.ToInt(number))
        return false;
    *target = number;
    return true;
}

} // namespace TEVComponentDesignerAfx
