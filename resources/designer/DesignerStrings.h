#pragma once
// The designer library's string table and the texts of its dialog templates.
#include <string>

namespace tev::designer {

constexpr int IDS_SAVE_PROJECT_QUESTION = 7533;
constexpr int IDS_PROPERTY_WIDTH = 7534;
constexpr int IDS_PROPERTY_HEIGHT = 7535;
constexpr int IDS_DATA_TAB = 7539;
constexpr int IDS_CHOOSE_STYLE_TAB = 7540;
constexpr int IDS_PUBLISH_TAB = 7541;
constexpr int IDS_FAILED_TO_GET_DIRECTORY = 7550;
constexpr int IDS_SPECIFY_STYLE_NAME = 7552;
constexpr int IDS_FTP_RETRY_WAIT = 7553;
constexpr int IDS_PROJECT_NOT_SAVED = 7950;

// A file that is not a project is refused with the file's name and the reason.
constexpr int IDS_PROJECT_NOT_OPENED = 7951;
constexpr int IDS_OPEN_UNREADABLE = 7952;
constexpr int IDS_OPEN_TOO_LARGE = 7953;
constexpr int IDS_OPEN_EMPTY = 7954;
constexpr int IDS_OPEN_NOT_TEXT = 7955;
constexpr int IDS_OPEN_NOT_XML = 7956;
constexpr int IDS_OPEN_NOT_PROJECT = 7957;

// The data page without its editor control: what went wrong, the fix, and that data is kept.
constexpr int IDS_DATA_EDITOR_MISSING = 7980;
constexpr int IDS_DATA_EDITOR_NOT_REGISTERED = 7981;
constexpr int IDS_DATA_EDITOR_MODULE_MISSING = 7982;
constexpr int IDS_DATA_EDITOR_FAILED = 7983;
constexpr int IDS_DATA_EDITOR_FIX = 7984;
constexpr int IDS_DATA_EDITOR_DATA_KEPT = 7985;

// Property grid: categories, the fixed project properties and the validation messages.
constexpr int IDS_PROPERTIES_CATEGORY = 7960;
constexpr int IDS_PROJECT_PROPERTIES_CATEGORY = 7961;
constexpr int IDS_PROPERTY_ASPECT_RATIO = 7962;
constexpr int IDS_PROPERTY_PAGE_NAME = 7963;
constexpr int IDS_PROPERTY_WIDTH_DESCRIPTION = 7964;
constexpr int IDS_PROPERTY_HEIGHT_DESCRIPTION = 7965;
constexpr int IDS_PROPERTY_ASPECT_RATIO_DESCRIPTION = 7966;
constexpr int IDS_PROPERTY_PAGE_NAME_DESCRIPTION = 7967;
constexpr int IDS_VALUE_OUT_OF_RANGE = 7968;
constexpr int IDS_VALUE_REQUIRED = 7969;
constexpr int IDS_ENTER_NUMBER = 7970;

// Dialog "Create Template" (template 7611) and its controls.
constexpr int IDD_TEMPLATE_DIALOG = 7611;
constexpr int IDC_TEMPLATE_NAME = 7612;
constexpr int IDC_TEMPLATE_NAME_LABEL = 7613;
constexpr int kTemplateDialogWidthDu = 172;
constexpr int kTemplateDialogHeightDu = 73;
constexpr const char* kTemplateDialogCaption = "Create Template";
constexpr const char* kTemplateNameLabel = "Template name:";

// Dialog "Component Wizard" (template 7500): the designer view (7501) above OK and Cancel.
constexpr int IDD_COMPONENT_WIZARD = 7500;
constexpr int IDC_WIZARD_DESIGNER_VIEW = 7501;
constexpr int kWizardWidthDu = 410;
constexpr int kWizardHeightDu = 257;
constexpr const char* kWizardCaption = "Component Wizard";

// Window names and identifiers of the designer view and its parts.
constexpr int IDC_TAB_CONTROL = 7519;
constexpr const char* kDesignerViewName = "ComponentDesignerView";
constexpr const char* kDataViewName = "ComponentDesignerDataView";
constexpr const char* kTemplateViewName = "ComponentDesignerTemplateView";
constexpr const char* kPublishViewName = "ComponentDesignerPublishView";
constexpr const char* kOnlineViewName = "XTHtmlPreviewView";
// The online pane's page, below the program's folder.
constexpr const char* kOnlinePagePath = "Quorvane System/Online/index.html";

// The text of string `id` (UTF-8); "" when the table has none.
std::string DesignerString(int id);

} // namespace tev::designer
