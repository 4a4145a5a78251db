// Designs a calendar through the designer library's component wizard and prints the
// properties XML that OK returns. A file named on the command line holds the XML of an
// earlier run (or a project's text, UTF-8), which the wizard opens with.
//
//   tev-wizard-example [earlier.xml] > calendar.xml
#include "designer/core/TEVComponentDesignerWizard.h"
#include "platform/shell/InstallFolders.h"
#include "platform/widgets/Translations.h"

#include <wx/app.h>
#include <wx/image.h>

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr char kCalendarProgId[] = "TEVCalendarAx.TEVCalendarDesigner.KVTR1000100.1";

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

class CWizardExampleApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        tev::LoadTranslations("TEVCalendar");
        return true;
    }

    int OnRun() override {
        TEVComponentDesignerAfx::CTEVComponentDesignerWizard wizard(kCalendarProgId, nullptr);
        wizard.SetProjectExtension("kcd");
        wizard.SetProjectType("Quorvane Web Calendar");
        wizard.SetComponentPath(tev::DataFolder() + "component/Calendar/componentInfo.xml");
        wizard.SetDataTabCaption("Create Events");
        if (argc > 1)
            wizard.SetPropertiesXml(FileText(argv[1].utf8_string()));
        if (wizard.ShowModal() != wxID_OK)
            return 1;
        std::cout << wizard.GetPropertiesXml() << std::endl;
        return 0;
    }
};

wxIMPLEMENT_APP(CWizardExampleApp);
