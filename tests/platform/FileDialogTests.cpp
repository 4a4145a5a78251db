#include "platform/widgets/FileDialog.h"

#include <gtest/gtest.h>
#include <wx/string.h>

TEST(FileDialogFilter, DocumentFiltersBecomeToolkitFilters) {
    struct Case {
        const char* filter;
        const char* expected;
    };
    const Case cases[] = {
        {"Quorvane Calendar (*.kcd)|*.kcd||", "Quorvane Calendar (*.kcd)|*.kcd"},
        {"Text (*.txt)|*.txt|All Files (*.*)|*.*||", "Text (*.txt)|*.txt|All Files (*.*)|*.*"},
        {"Text (*.txt)|*.txt|", "Text (*.txt)|*.txt"},
        {"Text (*.txt)|*.txt", "Text (*.txt)|*.txt"},
        {"A|*.a||B|*.b||", "A|*.a"},
        {"", ""},
        {"||", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tev::ToolkitFileFilter(c.filter).utf8_string(), c.expected) << c.filter;
}

TEST(FileDialogFilter, DefaultExtensionOnlyForNamesWithout) {
    struct Case {
        const char* path;
        const char* extension;
        const char* expected;
    };
    const Case cases[] = {
        {"/w/Cal1", "kcd", "/w/Cal1.kcd"},
        {"/w/Cal1.kcd", "kcd", "/w/Cal1.kcd"},
        {"/w/Cal1.txt", "kcd", "/w/Cal1.txt"},
        {"/w.d/Cal1", "kcd", "/w.d/Cal1.kcd"},
        {"/w/Cal1", "", "/w/Cal1"},
        {"", "kcd", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tev::WithDefaultExtension(c.path, c.extension), c.expected) << c.path;
}
