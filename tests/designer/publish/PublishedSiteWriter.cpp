// Publishes projects with colours and events through the real program, for the browser tests
// (published_page_test.py, published_site.test.js) to open. The projects are written by hand,
// opened by the program with the calendar control registered, and saved with "Save As" into
// <output>/sites, so the data file (with the events as the calendar writes them), the index
// page and the copies are the designer's own. Beside them goes "pasted.html", a plain page of
// someone's site with the publish tab's embed code pasted into it.
#include "designer/core/DesignerProject.h"
#include "designer/core/TEVComponentDesignerView.h"
#include "designer/publish/TEVComponentDesignerPublishView.h"
#include "platform/com/ClassRegistry.h"
#include "platform/text/StringUtil.h"
#include "tests/support/MainWindowTesting.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

using TEVComponentDesignerAfx::CDesignerProject;
using tevtest::ExpectFileDialog;
using tevtest::ReadFileBytes;

namespace {

const std::string kOutput = TEV_PUBLISH_OUTPUT_DIR "/";

// The values the browser test looks for; published_page_test.py holds the same ones.
const char* const kUserDefined =
    "<UserDefined><Param name=\"Title\" value=\"Spring Events\"/>"
    "<Param name=\"HeaderColor\" value=\"0x8B1E3F\"/>"
    "<Param name=\"HeaderTextColor\" value=\"0xFFF4E0\"/>"
    "<Param name=\"EventColor\" value=\"0x1E8B5A\"/>"
    "<Param name=\"EventTextColor\" value=\"0xFFFFFF\"/>"
    "<Param name=\"DayColor\" value=\"0xFFFDF5\"/>"
    "<Param name=\"WeekendColor\" value=\"0xF4ECDC\"/>"
    "<Param name=\"Width\" value=\"500\"/><Param name=\"Height\" value=\"400\"/>"
    "<Param name=\"Page Name\" value=\"MyCalendar.html\"/></UserDefined>";

// "Garden tour" on the 15th of this month; "Choir practice" every Wednesday since 2020.
std::string DataSection() {
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    const std::string day = tev::Format("%02d:15:%04d", today.tm_mon + 1, today.tm_year + 1900);
    return std::string("<Data>\n\t<Events>\n\t\t") + "<Event EventID=\"1\" StartTime=\"" + day +
           " 10:00\" EndTime=\"" + day +
           " 11:30\" Subject=\"Garden tour\" Location=\"City park\" IsMeeting=\"0\" "
           "AllDayEvent=\"0\" Type=\"\" Body=\"\" BusyStatus=\"Busy\"/>\n\t\t"
           "<Event EventID=\"2\" StartTime=\"01:01:2020 18:00\" EndTime=\"01:01:2020 19:00\" "
           "Subject=\"Choir practice\" Location=\"Hall\" IsMeeting=\"0\" AllDayEvent=\"0\" "
           "Type=\"\" Body=\"\" BusyStatus=\"Busy\"><Pattern StartTime=\"18:00\" "
           "EndTime=\"19:00\" DurationMinutes=\"60\" RecurrenceType=\"2\" "
           "RecurrenceOpt_Data1=\"1\" RecurrenceOpt_Data2=\"8\" RecurrenceOpt_Data3=\"0\" "
           "PatternStartDate=\"01:01:2020\" PatternEndDate=\"01:01:2020\" "
           "UseEndMethod=\"2\"/></Event>\n\t\t</Events></Data>";
}

// Someone's own page with the embed code pasted into its text.
std::string PastedPage(const std::string& code) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<title>Our club</title>\n</head>\n<body>\n<main>\n<h1>Our club</h1>\n"
           "<p>What is on this month:</p>\n" +
           code + "<p>See you there.</p>\n</main>\n</body>\n</html>\n";
}

struct PublishedSite : tevtest::MainWindowTest {
    // Writes the project `name` by hand, opens it in the main window and saves it with
    // "Save As" into <output>/sites.
    void Publish(const std::string& name) {
        const std::string input = kOutput + "input/" + name + ".kcd";
        ASSERT_TRUE(CDesignerProject::WriteProjectText(
            input, CDesignerProject::AssemblePropertiesXml(
                       std::string("<tev></tev>\n") + kUserDefined, DataSection())));
        ASSERT_NO_FATAL_FAILURE(OpenMainWindow(tevtest::BuiltComponentDescriptor(), input));
        const std::string saved = kOutput + "sites/" + name + ".kcd";
        wxTEST_DIALOG(dlg->OnFileSaveAs(),
                      ExpectFileDialog(ExpectFileDialog::Save, tevtest::kProjectFilter, saved));
        const std::string code = dlg->GetDesignerView()->GetPublishView()->GetHtmlCode();
        CloseMainWindow();
        ASSERT_TRUE(tevtest::WriteFileBytes(kOutput + "sites/" + name + "/pasted.html",
                                            PastedPage(code)));

        const std::string dataFile = kOutput + "sites/" + name + "/" + name + ".xml";
        ASSERT_EQ(ReadFileBytes(dataFile), ReadFileBytes(saved)) << "the designer's data file";
        const std::string text = tevtest::Utf16FileText(saved);
        EXPECT_NE(text.find("0x8B1E3F"), std::string::npos) << "the colours were kept: " << text;
        EXPECT_NE(text.find("Subject=\"Garden tour\""), std::string::npos)
            << "the events came through the calendar: " << text;
        EXPECT_NE(text.find("RecurrenceOpt_Data2=\"8\""), std::string::npos) << text;
        const std::string feed = ReadFileBytes(kOutput + "sites/" + name + "/" + name + ".ics");
        EXPECT_NE(feed.find("SUMMARY:Choir practice\r\n"), std::string::npos) << "the feed: " << feed;
    }
};

} // namespace

TEST_F(PublishedSite, TheProgramPublishesProjectsWithColoursAndEvents) {
    std::filesystem::remove_all(kOutput + "sites");
    std::filesystem::create_directories(kOutput + "sites");
    std::filesystem::create_directories(kOutput + "input");
    ASSERT_EQ(tev::RegisterModule(tevtest::ProgramDir() + "TEVCalendarAx.so"), S_OK);
    Publish("Spring");
    Publish("Fr\xC3\xBChling & Co");
}
