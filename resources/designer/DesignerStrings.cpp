#include "resources/designer/DesignerStrings.h"

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
};

} // namespace

std::string DesignerString(int id) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id)
            return entry.text;
    }
    return {};
}

} // namespace tev::designer
