#include "designer/core/DesignerProject.h"
#include "designer/core/UserTemplates.h"
#include "platform/shell/ShellPaths.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using TEVComponentDesignerAfx::CDesignerProject;
using TEVComponentDesignerAfx::CUserTemplates;
using tevtest::ReadFileBytes;
using tevtest::TempDir;

TEST(UserTemplates, FolderLiesBelowTheBaseFolderByProjectType) {
    EXPECT_EQ(CUserTemplates::FolderFor("/home/u/Documents", "Quorvane Web Calendar"),
              "/home/u/Documents/Quorvane/Quorvane Web Calendar/Templates");
    EXPECT_EQ(CUserTemplates::FolderFor("/home/u/Documents/", "T"),
              "/home/u/Documents/Quorvane/T/Templates");
    EXPECT_EQ(CUserTemplates::FolderFor("/d", ""), "/d/Quorvane//Templates");
    EXPECT_EQ(CUserTemplates::FolderFor("", "T"), "");
}

TEST(UserTemplates, AStyleIsAFolderWithPropsXmlWithoutData) {
    TempDir dir;
    const std::string templates = dir / "Templates";
    const std::string xml =
        CDesignerProject::AssembleTemplateXml("<UserDefined><c>1</c></UserDefined>");
    const CUserTemplates::Result result = CUserTemplates::WriteTemplate(templates, "Spring", xml);
    EXPECT_EQ(result.code, tev::kErrorSuccess);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.styleFolder, templates + "/Spring");
    const std::string bytes = ReadFileBytes(templates + "/Spring/props.xml");
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::string text;
    ASSERT_TRUE(CDesignerProject::ReadProjectText(templates + "/Spring/props.xml", text));
    EXPECT_EQ(text.find("<Data"), std::string::npos);
    EXPECT_NE(text.find("<UserDefined><c>1</c></UserDefined>"), std::string::npos);
}

TEST(UserTemplates, SavingAgainReplacesAndSlashesNest) {
    TempDir dir;
    const std::string templates = dir / "Templates";
    CUserTemplates::WriteTemplate(templates, "Spring",
                                  CDesignerProject::AssembleTemplateXml("<a/>"));
    const CUserTemplates::Result again = CUserTemplates::WriteTemplate(
        templates, "Spring", CDesignerProject::AssembleTemplateXml("<b/>"));
    EXPECT_EQ(again.code, tev::kErrorAlreadyExists);
    EXPECT_TRUE(again.written);
    std::string text;
    CDesignerProject::ReadProjectText(templates + "/Spring/props.xml", text);
    EXPECT_NE(text.find("<b/>"), std::string::npos);
    EXPECT_EQ(text.find("<a/>"), std::string::npos);

    const CUserTemplates::Result nested =
        CUserTemplates::WriteTemplate(templates, "a/b", CDesignerProject::AssembleTemplateXml(""));
    EXPECT_TRUE(nested.written);
    EXPECT_TRUE(tev::FileExists(templates + "/a/b/props.xml"));
    EXPECT_FALSE(tev::FileExists(templates + "/a/props.xml"));
}

TEST(UserTemplates, FoldersThatCannotBeMadeWriteNothing) {
    TempDir dir;
    const std::string templates = dir / "Templates";
    tevtest::WriteFileWithFolders(dir / "blocker", "file");
    struct Case {
        const char* what;
        std::string folder;
        std::string name;
        int code;
    };
    const Case cases[] = {
        {"a file has the style's name", dir.path(), "blocker", tev::kErrorFileExists},
        {"a file stands where a parent folder should", dir / "blocker", "x", tev::kErrorFileExists},
        {"a name longer than a file name may be", templates, std::string(300, 'n'),
         tev::kErrorInvalidName},
    };
    for (const Case& c : cases) {
        const CUserTemplates::Result result = CUserTemplates::WriteTemplate(
            c.folder, c.name, CDesignerProject::AssembleTemplateXml(""));
        EXPECT_EQ(result.code, c.code) << c.what;
        EXPECT_FALSE(result.written) << c.what;
        EXPECT_EQ(CUserTemplates::IsUsableFolderCode(result.code), c.code == tev::kErrorFileExists)
            << c.what;
        EXPECT_FALSE(tev::FileExists(result.styleFolder + "/props.xml")) << c.what;
    }
    EXPECT_EQ(ReadFileBytes(dir / "blocker"), "file");
}

TEST(UserTemplates, StylesOfTheOlderFolderMoveOverUnlessTheNameIsTaken) {
    TempDir dir;
    const std::string older = dir / "docs/Quorvane/T/Templates";
    const std::string current = dir / "data/Quorvane/T/Templates";
    tevtest::WriteFileWithFolders(older + "/Spring/props.xml", "old spring");
    tevtest::WriteFileWithFolders(older + "/Autumn/props.xml", "old autumn");
    tevtest::WriteFileWithFolders(older + "/stray.txt", "not a style");
    tevtest::WriteFileWithFolders(current + "/Autumn/props.xml", "new autumn");

    EXPECT_EQ(CUserTemplates::MoveOver(older, current), 1);
    EXPECT_EQ(ReadFileBytes(current + "/Spring/props.xml"), "old spring");
    EXPECT_EQ(ReadFileBytes(current + "/Autumn/props.xml"), "new autumn");
    EXPECT_FALSE(tev::FolderExists(older + "/Spring"));
    EXPECT_TRUE(tev::FileExists(older + "/Autumn/props.xml")) << "kept, not lost";
    EXPECT_FALSE(tev::FileExists(current + "/stray.txt"));

    EXPECT_EQ(CUserTemplates::MoveOver(older, current), 0) << "nothing moves twice";
    EXPECT_EQ(CUserTemplates::MoveOver(dir / "missing", current), 0);
    EXPECT_EQ(CUserTemplates::MoveOver(current, current), 0);
}
