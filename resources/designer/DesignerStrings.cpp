#include "resources/designer/DesignerStrings.h"

#include "platform/text/Translation.h"

namespace tev::designer {
namespace {

struct StringEntry {
    int id;
    const char* text;
};

const StringEntry kStrings[] = {
    {IDS_SAVE_PROJECT_QUESTION, "Do you want to save the current project?"},
    {IDS_PROPERTY_WIDTH, "Width"},
    {IDS_PROPERTY_HEIGHT, "Height"},
    {IDS_DATA_TAB, "Data"},
    {IDS_CHOOSE_STYLE_TAB, "Choose Style"},
    {IDS_PUBLISH_TAB, "Publish"},
    {IDS_FAILED_TO_GET_DIRECTORY, "Failed to get directory"},
    {IDS_SPECIFY_STYLE_NAME, "Please specify the name of the style"},
    {IDS_FTP_RETRY_WAIT, "FTP retry to connect after %d seconds..."},
    {IDS_PROJECT_NOT_SAVED, "The project could not be saved to %s. The file that was there "
                            "before is unchanged."},
    {IDS_PROJECT_NOT_OPENED, "%s cannot be opened as a project: %s\n\nThe project that was open "
                             "stays open."},
    {IDS_OPEN_UNREADABLE, "the file cannot be read."},
    {IDS_OPEN_TOO_LARGE, "the file is larger than %d MB, and no project is that large."},
    {IDS_OPEN_EMPTY, "the file is empty."},
    {IDS_OPEN_NOT_TEXT, "the file is not a text file."},
    {IDS_OPEN_NOT_XML, "the file's text is not XML."},
    {IDS_OPEN_NOT_PROJECT, "the file's XML is not a project (its root element is not <flash>)."},
    {IDS_DATA_EDITOR_MISSING, "The editor of this page could not be started."},
    {IDS_DATA_EDITOR_NOT_REGISTERED, "Its control, %s, is not registered for you or on this "
                                     "computer."},
    {IDS_DATA_EDITOR_MODULE_MISSING, "Its module, %s, is missing or cannot be loaded."},
    {IDS_DATA_EDITOR_FAILED, "Its control, %s, is installed but did not start (error 0x%08X)."},
    {IDS_DATA_EDITOR_FIX, "To fix this, close the program and run this command once:\n\n"
                          "%s /Register\n\nthen start the program again. If that does not help, "
                          "install the program again."},
    {IDS_DATA_EDITOR_DATA_KEPT, "Nothing is lost meanwhile: the project's data stays as it was "
                                "read, and saving writes it back unchanged."},
    {IDS_PROPERTIES_CATEGORY, "Properties"},
    {IDS_PROJECT_PROPERTIES_CATEGORY, "Project Properties"},
    {IDS_PROPERTY_ASPECT_RATIO, "Aspect ratio"},
    {IDS_PROPERTY_PAGE_NAME, "Page Name"},
    {IDS_PROPERTY_WIDTH_DESCRIPTION, "Component width"},
    {IDS_PROPERTY_HEIGHT_DESCRIPTION, "Component height"},
    {IDS_PROPERTY_ASPECT_RATIO_DESCRIPTION, "Maintain aspect ratio"},
    {IDS_PROPERTY_PAGE_NAME_DESCRIPTION, "Page Name"},
    {IDS_VALUE_OUT_OF_RANGE, "Specified value was out of the range of valid values. Valid values "
                             "are between %d and %d"},
    {IDS_VALUE_REQUIRED, "A value is required"},
    {IDS_ENTER_NUMBER, "Please enter a number."},
};

} // namespace

std::string DesignerString(int id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id)
            return tev::Translate(entry.text);
    }
    return {};
}

} // namespace tev::designer
