// The designer wizard as another program uses it: the calendar's control and component, the
// XML of one run handed to the next, OK and Cancel pressed as the user presses them.
#include "designer/core/TEVComponentDesignerWizard.h"
#include "designer/templates/TEVComponentDesignerTemplateView.h"
#include "platform/widgets/EventPump.h"
#include "platform/widgets/TabControl.h"
#include "tests/calendar/CalendarTestProject.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <functional>
#include <gtest/gtest.h>

using TEVComponentDesignerAfx::CTEVComponentDesignerView;
using TEVComponentDesignerAfx::CTEVComponentDesignerWizard;
using ExpectWizard = tevtest::ExpectDialog<CTEVComponentDesignerWizard>;

namespace {

struct Wizard : testing::Test {
    tevtest::ScopedRegistry registry;
    tevtest::TempDir home;
    tevtest::ScopedEnv userData{"XDG_DATA_HOME", home / "data"};

    // Opens a wizard with `xml`, lets `work` act on its designer while it is open, presses
    // `button` and gives the XML the wizard holds afterwards.
    std::string Run(const std::string& xml, int button,
                    const std::function<void(CTEVComponentDesignerView&)>& work) {
        CTEVComponentDesignerWizard wizard(tevtest::kCalendarProgId, nullptr);
        wizard.SetProjectExtension("kcd");
        wizard.SetProjectType("Quorvane Web Calendar");
        wizard.SetComponentPath(tevtest::ProgramDir() + "component/Calendar/componentInfo.xml");
        wizard.SetDataTabCaption("Create Events");
        wizard.SetPropertiesXml(xml);
        int result = 0;
        wxTEST_DIALOG(result = wizard.ShowModal(),
                      ExpectWizard("Component Wizard", [&](CTEVComponentDesignerWizard& dialog) {
                          dialog.InitDialog();
                          dialog.Show();
                          tev::PumpEventsFor(100);
                          work(*dialog.GetDesignerView());
                          tevtest::Press(&dialog, button);
                          return button;
                      }));
        EXPECT_EQ(result, button);
        return wizard.GetPropertiesXml();
    }
};

void Nothing(CTEVComponentDesignerView&) {}

} // namespace

TEST_F(Wizard, ShowsTheDesignerWithoutPublishTabAndOnlinePane) {
    Run("", wxID_OK, [](CTEVComponentDesignerView& view) {
        EXPECT_EQ(view.GetTabControl()->GetPageCount(), 2u);
        EXPECT_EQ(view.GetPublishView(), nullptr);
        EXPECT_EQ(view.GetOnlineView(), nullptr);
        EXPECT_EQ(view.GetTabControl()->GetPageText(0), "Create Events");
    });
}

TEST_F(Wizard, ReopenedWithTheXmlOfAnEarlierOkShowsTheSameValuesAndData) {
    const std::string first = Run(tevtest::WeekOfMeetingsText(), wxID_OK, [](auto& view) {
        view.GetTemplateView()->SetPropertiesXml(
            "<flash><UserDefined><Title>Team week</Title></UserDefined></flash>");
    });
    EXPECT_NE(first.find("<Title>Team week</Title>"), std::string::npos) << first;
    EXPECT_NE(first.find("Sprint planning"), std::string::npos) << "the control's data";

    const std::string second = Run(first, wxID_OK, [&](CTEVComponentDesignerView& view) {
        EXPECT_EQ(view.GetPropertiesXml(), first);
        EXPECT_NE(view.GetXmlDataSection().find("Quarterly review"), std::string::npos);
    });
    EXPECT_EQ(second, first);
}

TEST_F(Wizard, CancelAfterEditsReturnsTheXmlStoredBefore) {
    const std::string before = Run(tevtest::WeekOfMeetingsText(), wxID_OK, Nothing);
    const std::string after = Run(before, wxID_CANCEL, [](CTEVComponentDesignerView& view) {
        view.GetTemplateView()->SetPropertiesXml(
            "<flash><UserDefined><Title>Changed</Title></UserDefined></flash>");
        EXPECT_NE(view.GetPropertiesXml().find("Changed"), std::string::npos);
    });
    EXPECT_EQ(after, before);
    EXPECT_EQ(Run("", wxID_CANCEL, Nothing), "") << "nothing stored, nothing returned";
}
