#pragma once
// The "Publish" page's form (dialog template 7516): control identifiers, their places in
// dialog units and their texts.

namespace tev::designer {

constexpr int IDD_PUBLISH_VIEW = 7516;
constexpr int IDC_REQUIRED_FILES_GROUP = 7502;
constexpr int IDC_HTML_GROUP = 7505;
constexpr int IDC_HTML_HINT = 7507;
constexpr int IDC_HTML_CODE = 7511;
constexpr int IDC_COPY_TO_CLIPBOARD = 7514;
constexpr int IDC_OPEN_PUBLISH_FOLDER = 7522;
constexpr int IDC_PUBLISH = 7525;
constexpr int IDC_REQUIRED_FILES = 7533;

struct DialogUnitRect {
    int x;
    int y;
    int width;
    int height;
};

constexpr DialogUnitRect kRequiredFilesGroupRect{7, 7, 142, 215};
constexpr DialogUnitRect kOpenPublishFolderRect{14, 21, 126, 14};
constexpr DialogUnitRect kRequiredFilesRect{14, 41, 126, 154};
constexpr DialogUnitRect kPublishRect{43, 201, 65, 14};
constexpr DialogUnitRect kHtmlGroupRect{158, 7, 155, 215};
// The hint is taller than the form first had it: it also names the files beside the page.
constexpr DialogUnitRect kHtmlHintRect{167, 19, 138, 36};
constexpr DialogUnitRect kHtmlCodeRect{165, 57, 139, 138};
constexpr DialogUnitRect kCopyToClipboardRect{197, 201, 65, 14};
// The form as laid out: the controls' extent plus the same margin on the far sides.
constexpr int kPublishViewWidthDu = 320;
constexpr int kPublishViewHeightDu = 229;

constexpr const char* kRequiredFilesCaption = "Required Files";
constexpr const char* kHtmlCaption = "HTML";
// Two blanks before "you", as the form has always had it.
constexpr const char* kHtmlHintText =
    "Copy and paste this code on every page  you want your calendar to appear";
// Follows the hint once the project has files: "%s" takes the files beside the page.
constexpr const char* kHtmlHintFilesFormat = ", with these files beside it: %s";
constexpr const char* kCopyToClipboardCaption = "&Copy to Clipboard";
constexpr const char* kPublishCaption = "&Publish...";
constexpr const char* kOpenPublishFolderText = "Open publish folder";

} // namespace tev::designer
