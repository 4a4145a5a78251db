// The published index page in a real browser: a folder as saving lays it out (page, player,
// movie, data file) opened from disk in headless Chromium, under project and movie names that
// a page declared ISO-8859-1 and its relative URLs could get wrong.
#include "designer/templates/PreviewPage.h"
#include "designer/templates/TemplateResources.h"
#include "platform/shell/ShellPaths.h"
#include "platform/text/StringUtil.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace TEVComponentDesignerAfx;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace {

constexpr const char* kChromium = "/usr/bin/chromium";

// The single-quoted shell word for `text`.
std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The page's DOM after its scripts ran, as Chromium dumps it ("" when it could not run).
std::string DumpDom(const std::string& page, const std::string& profile) {
    const std::string command = "timeout 90 " + std::string(kChromium) +
                                " --headless --no-sandbox --disable-gpu --no-first-run"
                                " --disable-background-networking --disable-component-update"
                                " --allow-file-access-from-files --virtual-time-budget=5000"
                                " --user-data-dir=" +
                                Quoted(profile) + " --dump-dom " + Quoted("file://" + page) +
                                " 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return {};
    std::string dom;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe.get())) > 0)
        dom.append(buffer, got);
    return dom;
}

} // namespace

TEST(PublishedPage, OddProjectAndMovieNamesStillFindTheirFiles) {
    if (!tev::FileExists(kChromium))
        GTEST_SKIP() << "no Chromium to open the page with";
    const std::string program = tevtest::ProgramDir();
    const std::string movieName = "Web Calendar #1 50%.js";
    const struct {
        const char* project;
        const char* color; // the header colour its data file sets
    } cases[] = {
        {"Spring", "0x2E7D32"},
        {"Caf\xC3\xA9 \"Club\" & Friends #1 50% <b>+\xE2\x82\xAC", "0x8E24AA"},
    };
    for (const auto& c : cases) {
        TempDir folder;
        ASSERT_TRUE(tev::CopyFileOver(program + "swfobject.js", folder / "swfobject.js"));
        ASSERT_TRUE(
            tev::CopyFileOver(program + "component/Calendar/WebCalendar.js", folder / movieName));
        ASSERT_TRUE(tev::CopyFileOver(program + "component/Calendar/WebCalendar.css",
                                      folder / "WebCalendar.css"));
        // The data file as saving writes it: UTF-16LE with a byte-order mark.
        const std::string data =
            std::string("<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n\r<flash>"
                        "<UserDefined><Param name=\"HeaderColor\" value=\"") +
            c.color + "\"/></UserDefined><Data/></flash>";
        ASSERT_TRUE(WriteFileBytes(folder / (std::string(c.project) + ".xml"),
                                   tevtest::Utf16FileBytes(data)));
        ASSERT_TRUE(
            WriteFileBytes(folder / "index.html",
                           CPreviewPage::BuildIndexPage(TemplateResource(IDR_HTML_INDEX),
                                                        folder / movieName, c.project, 320, 240)));

        TempDir profile;
        const std::string dom = DumpDom(folder / "index.html", profile.path());
        ASSERT_FALSE(dom.empty()) << c.project;
        EXPECT_NE(dom.find("data-state=\"ready\""), std::string::npos) << c.project << "\n" << dom;
        // The colour comes from the data file: the movie found it under the project's name.
        const std::string color = "#" + tev::ToLowerAscii(std::string(c.color).substr(2));
        EXPECT_NE(dom.find("--wcal-header: " + color), std::string::npos) << c.project;
    }
}
