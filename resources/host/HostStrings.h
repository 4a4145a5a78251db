#pragma once
// The program's string table.
#include <string>

namespace tev::host {

constexpr int IDS_ABOUTBOX = 101;
constexpr int IDS_DATA_TAB_CAPTION = 102;
constexpr int IDS_APP_TITLE = 103;
constexpr int IDS_ABOUT_NOTICE = 104;
constexpr int IDS_ABOUT_CAPTION = 105;
constexpr int IDS_PROJECT_FILTER = 106;
constexpr int IDS_PROJECT_MIME_TYPE = 107;
constexpr int IDS_PROJECT_TYPE_COMMENT = 108;
constexpr int IDS_PROJECT_EXTENSION = 109;
constexpr int IDS_PROJECT_DOCUMENT_TYPE = 110;
constexpr int IDS_COMPONENT_PROGID = 111;
constexpr int IDS_COMPONENT_DESCRIPTOR = 112;
constexpr int IDS_INDEX_PAGE_NAME = 113;
constexpr int IDS_HELP_BOOK = 114;

// The text of string `id` (UTF-8); "" when the table has none.
std::string HostString(int id);

} // namespace tev::host
