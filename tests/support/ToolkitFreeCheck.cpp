// Linked into every test program of a library that says it has no window: when the program
// ends, no wxWidgets, GTK or WebKit library may have been loaded into it, neither through
// what it links nor through a module one of its tests loaded.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

namespace {

// The shared objects mapped into this process: the path column of /proc/self/maps.
std::set<std::string> LoadedObjects() {
    std::set<std::string> objects;
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const std::size_t path = line.find('/');
        if (path != std::string::npos && line.find(".so", path) != std::string::npos)
            objects.insert(line.substr(path));
    }
    return objects;
}

bool IsToolkitLibrary(const std::string& path) {
    const std::string name = path.substr(path.rfind('/') + 1);
    for (const char* toolkit : {"libwx_", "libgtk", "libgdk", "libwebkit2gtk", "libjavascriptcore"})
        if (name.compare(0, std::char_traits<char>::length(toolkit), toolkit) == 0)
            return true;
    return false;
}

class ToolkitFreeCheck : public testing::Environment {
public:
    void TearDown() override {
        const std::set<std::string> objects = LoadedObjects();
        // The program itself links the C++ runtime and the test library: an empty list means
        // the maps were not read, and the check would prove nothing.
        ASSERT_FALSE(objects.empty()) << "/proc/self/maps could not be read";
        for (const std::string& object : objects)
            EXPECT_FALSE(IsToolkitLibrary(object)) << "a toolkit library was loaded: " << object;
    }
};

const bool kToolkitFreeCheckInstalled =
    (testing::AddGlobalTestEnvironment(new ToolkitFreeCheck), true);

} // namespace
