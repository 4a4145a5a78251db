// The program in the user's language: with LANGUAGE=de the catalogs the build compiled turn
// the string tables, the menus, the dialogs and the calendar's texts German; names that
// projects and settings depend on stay as they are.
#include "designer/core/TemplateDialog.h"
#include "platform/text/Translation.h"
#include "platform/widgets/MenuTable.h"
#include "platform/widgets/Translations.h"
#include "resources/calendar/CalendarStrings.h"
#include "resources/designer/DesignerStrings.h"
#include "resources/host/HostMenu.h"
#include "resources/host/HostStrings.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/translation.h>

#include <memory>

namespace {

struct InGerman : testing::Test {
    tevtest::ScopedEnv language{"LANGUAGE", "de"};
    void SetUp() override { ASSERT_TRUE(tev::LoadTranslations("TEVCalendar")); }
    void TearDown() override {
        tev::SetTranslator(nullptr);
        tev::SetTranslationLanguage("");
        wxTranslations::Set(nullptr);
    }
};

} // namespace

TEST_F(InGerman, TheStringTablesSpeakGermanAndNamesStayAsTheyAre) {
    const struct {
        std::string text;
        std::string german;
    } cases[] = {
        {tev::host::HostString(tev::host::IDS_DATA_TAB_CAPTION), "Termine erfassen"},
        {tev::designer::DesignerString(tev::designer::IDS_CHOOSE_STYLE_TAB), "Stil wählen"},
        {tev::designer::DesignerString(tev::designer::IDS_ENTER_NUMBER),
         "Bitte geben Sie eine Zahl ein."},
        {tev::calendar::CalendarString(tev::calendar::IDS_END_BEFORE_START),
         "Die eingegebene Endzeit liegt vor der Beginnzeit."},
        {tev::calendar::DayName(2), "Montag"},
        {tev::calendar::ShortDayName(3), "Di"},
        {tev::calendar::MonthName(3), "März"},
        {tev::calendar::ShortMonthName(10), "Okt"},
        // Names that files, settings and controls rely on are never translated.
        {tev::host::HostString(tev::host::IDS_PROJECT_EXTENSION), "kcd"},
        {tev::host::HostString(tev::host::IDS_APP_TITLE), "Quorvane Web Calendar"},
        {tev::designer::DesignerString(tev::designer::IDS_PROPERTY_WIDTH), "Width"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, c.german);
    EXPECT_EQ(tev::Translate("a text no catalog has"), "a text no catalog has");
}

TEST_F(InGerman, WholePagesComeInTheLanguageWhereTheyHaveOne) {
    EXPECT_EQ(tev::TranslationLanguage(), "de");
    const std::string page = tevtest::ProgramDir() + "Quorvane System/Online/index.html";
    EXPECT_EQ(tev::LocalizedFile(page),
              tevtest::ProgramDir() + "Quorvane System/Online/de/index.html");
    const std::string other = tevtest::ProgramDir() + "TEVCalendar.htb";
    EXPECT_EQ(tev::LocalizedFile(other), other);
    tev::SetTranslationLanguage("de_AT");
    EXPECT_EQ(tev::LocalizedFile(page),
              tevtest::ProgramDir() + "Quorvane System/Online/de/index.html");
}

TEST_F(InGerman, MenusAndDialogsAreGerman) {
    size_t count = 0;
    const tev::MenuEntry* entries = tev::host::MainMenu(count);
    std::unique_ptr<wxMenuBar> bar(tev::CreateMenuBar(entries, count));
    ASSERT_EQ(bar->GetMenuCount(), 2u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&Datei");
    EXPECT_EQ(bar->GetMenuLabel(1), "&Hilfe");
    EXPECT_EQ(bar->GetMenu(0)->GetMenuItems()[0]->GetItemLabel(), "Neu");

    TEVComponentDesignerAfx::CTemplateDialog dialog;
    EXPECT_EQ(dialog.GetTitle(), "Vorlage erstellen");
}

TEST(InEnglish, WithoutACatalogForTheLanguageTheSourceTextsStay) {
    tevtest::ScopedEnv language("LANGUAGE", "en");
    EXPECT_FALSE(tev::LoadTranslations("TEVCalendar"));
    EXPECT_EQ(tev::host::HostString(tev::host::IDS_DATA_TAB_CAPTION), "Create Events");
    EXPECT_EQ(tev::LocalizedFile(tevtest::ProgramDir() + "Quorvane System/Online/index.html"),
              tevtest::ProgramDir() + "Quorvane System/Online/index.html");
    tev::SetTranslator(nullptr);
    wxTranslations::Set(nullptr);
}
