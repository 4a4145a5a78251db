#include "designer/templates/ComponentMovie.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace TEVComponentDesignerAfx;
using Lookup = CComponentMovie::Lookup;
using tevtest::TempDir;
using tevtest::WriteFileBytes;

namespace {

CComponentMovie Earlier() {
    CComponentMovie movie;
    movie.path = "/earlier/movie.js";
    movie.width = 111;
    movie.height = 222;
    return movie;
}

} // namespace

TEST(ComponentMovie, TheDescriptorGivesTheMovieBesideItAndItsSize) {
    TempDir dir;
    const std::string descriptor = dir / "componentInfo.xml";
    const struct {
        const char* flash;
        const char* path; // relative to the folder; nullptr: the earlier path is kept
        int width, height;
    } cases[] = {
        {"<Flash path=\"WebCalendar.js\" width=\"500\" height=\"400\"/>", "WebCalendar.js", 500,
         400},
        {"<Flash path=\"m.js\"/>", "m.js", 200, 200},
        {"<Flash path=\"m.js\" width=\"wide\" height=\"-5\"/>", "m.js", 200, 200},
        {"<Flash path=\"m.js\" width=\"0\" height=\"99999999\"/>", "m.js", 200, 200},
        {"<Flash path=\"m.js\" width=\" 640px\" height=\"480\"/>", "m.js", 640, 480},
        {"<Flash width=\"300\" height=\"200\"/>", nullptr, 300, 200},
    };
    for (const auto& c : cases) {
        WriteFileBytes(descriptor, std::string("<Component>") + c.flash + "</Component>");
        CComponentMovie movie = Earlier();
        ASSERT_TRUE(movie.Read(descriptor, Lookup::FlashElement)) << c.flash;
        EXPECT_EQ(movie.path, c.path ? dir / c.path : "/earlier/movie.js") << c.flash;
        EXPECT_EQ(movie.width, c.width) << c.flash;
        EXPECT_EQ(movie.height, c.height) << c.flash;
    }
}

TEST(ComponentMovie, TheGalleryTakesTheFirstChildWhateverItsName) {
    TempDir dir;
    const std::string descriptor = dir / "componentInfo.xml";
    WriteFileBytes(descriptor, "<Component>\n  <Movie path=\"a.js\" width=\"300\"/>\n"
                               "  <Flash path=\"b.js\"/></Component>");
    CComponentMovie gallery = Earlier();
    ASSERT_TRUE(gallery.Read(descriptor, Lookup::FirstChild));
    EXPECT_EQ(gallery.path, dir / "a.js");
    EXPECT_EQ(gallery.width, 300);
    CComponentMovie preview = Earlier();
    ASSERT_TRUE(preview.Read(descriptor, Lookup::FlashElement));
    EXPECT_EQ(preview.path, dir / "b.js");

    // Without a path the gallery points at the folder itself.
    WriteFileBytes(descriptor, "<Component><Flash width=\"300\"/></Component>");
    ASSERT_TRUE(gallery.Read(descriptor, Lookup::FirstChild));
    EXPECT_EQ(gallery.path, dir.path());
}

TEST(ComponentMovie, AnUnreadableDescriptorChangesNothing) {
    TempDir dir;
    WriteFileBytes(dir / "broken.xml", "<Component><Flash path=\"x.js\"");
    WriteFileBytes(dir / "empty.xml", "<Component/>");
    WriteFileBytes(dir / "text.xml", "<Component>just text</Component>");
    for (const std::string& path : {dir / "broken.xml", dir / "missing.xml", dir / "empty.xml",
                                    dir / "text.xml", dir.path(), std::string()}) {
        for (const Lookup lookup : {Lookup::FirstChild, Lookup::FlashElement}) {
            CComponentMovie movie = Earlier();
            EXPECT_FALSE(movie.Read(path, lookup)) << path;
            EXPECT_EQ(movie.path, "/earlier/movie.js") << path;
            EXPECT_EQ(movie.width, 111) << path;
            EXPECT_EQ(movie.height, 222) << path;
        }
    }
}
