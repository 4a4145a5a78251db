#include "resources/host/HostStrings.h"

#include "platform/text/Translation.h"

namespace tev::host {
namespace {

struct StringEntry {
    int id;
    const char* text;
};

const StringEntry kStrings[] = {
    {IDS_ABOUTBOX, "&About TEVCalendar..."},
    {IDS_DATA_TAB_CAPTION, "Create Events"},
    {IDS_APP_TITLE, "Quorvane Web Calendar"},
    {IDS_ABOUT_NOTICE, "Quorvane Web Calendar\n"
                       "Version <version>\n"
                       "\n"
                       "Design a calendar for your web pages: choose a style, enter your "
                       "events, save the project and publish it to your web server.\n"
                       "\n"
                       "Copyright (C) Quorvane. All rights reserved."},
    {IDS_ABOUT_CAPTION, "About Quorvane Web Calendar"},
    {IDS_PROJECT_FILTER, "Quorvane Calendar (*.kcd)|*.kcd||"},
    {IDS_PROJECT_MIME_TYPE, "application/x-quorvane-calendar"},
    {IDS_PROJECT_TYPE_COMMENT, "Quorvane Web Calendar project"},
    {IDS_PROJECT_EXTENSION, "kcd"},
    {IDS_PROJECT_DOCUMENT_TYPE, "kcd.Document"},
    {IDS_COMPONENT_PROGID, "TEVCalendarAx.TEVCalendarDesigner.KVTR1000100.1"},
    {IDS_COMPONENT_DESCRIPTOR, "componentInfo.xml"},
    {IDS_INDEX_PAGE_NAME, "MyCalendar.html"},
    {IDS_HELP_BOOK, "TEVCalendar.htb"},
};

} // namespace

std::string HostString(int id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id)
            return tev::Translate(entry.text);
    }
    return {};
}

} // namespace tev::host
