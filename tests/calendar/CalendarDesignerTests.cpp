// The calendar designer control as the designer meets it: the module loaded by ProgID from
// a private registry store, its registration, and the designer interface.
#include "designer/core/TEVComponentDesignerAx.h"
#include "designer/core/TEVComponentFeedAx.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"
#include "platform/registry/RegistryStore.h"
#include "platform/shell/ShellPaths.h"
#include "platform/widgets/ControlHosting.h"
#include "platform/widgets/EventPump.h"
#include "tests/calendar/CalendarTestProject.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTesting.h"

#include <gtest/gtest.h>
#include <wx/calctrl.h>
#include <wx/frame.h>
#include <wx/generic/calctrlg.h>

#include <cstdlib>
#include <set>

using tev::Hive;
using tev::RegistryStore;
using tevtest::kCalendarProgId;
using tevtest::kEmptyCalendarData;

namespace {

const char* const kClsid = "{19328147-F365-4AA9-B93A-A55E4872E3B9}";
const char* const kAppId = "{95CFB768-FC35-46A5-A71D-304A9B03432E}";
const char* const kClassKey = "CLSID\\{19328147-F365-4AA9-B93A-A55E4872E3B9}";
const char* const kVersionIndependent = "TEVCalendarAx.TEVCalendarDesigner";
// {AD1452BC-CB6E-4F63-9D15-27CAA4B063F9}
const IID kIidCalendarDesigner{
    0xAD1452BC, 0xCB6E, 0x4F63, {0x9D, 0x15, 0x27, 0xCA, 0xA4, 0xB0, 0x63, 0xF9}};

std::string Text(Hive hive, const std::string& key, const std::string& name = "") {
    const auto value = RegistryStore::Instance().GetString(hive, key, name);
    return value ? *value : "<missing>";
}

std::set<std::string> SubKeys(const std::string& key) {
    std::set<std::string> names;
    for (const std::string& name : RegistryStore::Instance().SubKeyNames(Hive::ClassesRoot, key))
        names.insert(name);
    return names;
}

bool Exists(const std::string& key) {
    return RegistryStore::Instance().KeyExists(Hive::ClassesRoot, key);
}

std::string Module() {
    char resolved[4096];
    return realpath(tevtest::CalendarModulePath().c_str(), resolved) ? resolved : "";
}

// What registration writes under the classes root, key by key.
void ExpectRegistered() {
    const std::string module = Module();
    struct Entry {
        std::string key;
        std::string name;
        std::string value;
    };
    const Entry entries[] = {
        {std::string("AppID\\") + kAppId, "", "TEVCalendarAx"},
        {"AppID\\TEVCalendarAx.so", "AppID", kAppId},
        {kCalendarProgId, "", "TEVCalendarDesigner Class"},
        {std::string(kCalendarProgId) + "\\CLSID", "", kClsid},
        {kVersionIndependent, "", "TEVCalendarDesigner Class"},
        {std::string(kVersionIndependent) + "\\CLSID", "", kClsid},
        {std::string(kVersionIndependent) + "\\CurVer", "", kCalendarProgId},
        {kClassKey, "", "TEVCalendarDesigner Class"},
        {kClassKey, "AppID", kAppId},
        {std::string(kClassKey) + "\\ProgID", "", kCalendarProgId},
        {std::string(kClassKey) + "\\VersionIndependentProgID", "", kVersionIndependent},
        {std::string(kClassKey) + "\\InprocServer32", "", module},
        {std::string(kClassKey) + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {std::string(kClassKey) + "\\ToolboxBitmap32", "", module + ", 107"},
        {std::string(kClassKey) + "\\MiscStatus", "", "0"},
        {std::string(kClassKey) + "\\MiscStatus\\1", "", "131473"},
        {std::string(kClassKey) + "\\TypeLib", "", "{8AE69C78-FC36-42A6-B5FF-EDB4E7287F3D}"},
        {std::string(kClassKey) + "\\Version", "", "1.0"},
    };
    for (const Entry& entry : entries)
        EXPECT_EQ(Text(Hive::ClassesRoot, entry.key, entry.name), entry.value)
            << entry.key << " value \"" << entry.name << "\"";
    EXPECT_EQ(SubKeys(kClassKey),
              (std::set<std::string>{"Control", "InprocServer32", "MiscStatus", "ProgID",
                                     "Programmable", "ToolboxBitmap32", "TypeLib", "Version",
                                     "VersionIndependentProgID"}));
    for (const char* empty : {"Programmable", "Control"})
        EXPECT_TRUE(RegistryStore::Instance()
                        .ValueNames(Hive::ClassesRoot, std::string(kClassKey) + "\\" + empty)
                        .empty())
            << empty;
    const std::set<std::string> appIds = SubKeys("AppID");
    EXPECT_EQ(appIds.count(kAppId), 1u);
    EXPECT_EQ(appIds.count("TEVCalendarAx.so"), 1u);
}

void ExpectUnregistered() {
    for (const std::string& key :
         {std::string(kClassKey), std::string(kCalendarProgId), std::string(kVersionIndependent),
          std::string("AppID\\") + kAppId, std::string("AppID\\TEVCalendarAx.so")})
        EXPECT_FALSE(Exists(key)) << key;
    // The roots themselves are never removed.
    EXPECT_TRUE(Exists("CLSID"));
    EXPECT_TRUE(Exists("AppID"));
}

int RunTool(const std::string& arguments) {
    const std::string command =
        tevtest::ProgramDir() + "tev-regsvr " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string TakeText(BSTR text) {
    CComBSTR owner;
    owner.Attach(text);
    return owner.ToUtf8();
}

// The designer control in a window, created by ProgID from a private registry.
struct CalendarDesigner : testing::Test {
    tevtest::ScopedRegistry registry;
    wxFrame* frame = nullptr;
    CComPtr<ITEVComponentDesigner> designer;

    void SetUp() override {
        ASSERT_EQ(tev::RegisterModule(tevtest::CalendarModulePath()), S_OK);
        ASSERT_EQ(tev::CreateInstanceByProgID(kCalendarProgId, IID_ITEVComponentDesigner,
                                              reinterpret_cast<void**>(&designer)),
                  S_OK);
        ASSERT_TRUE(designer);
        frame = new wxFrame(nullptr, wxID_ANY, "calendar", wxDefaultPosition, wxSize(900, 650));
        frame->Show();
    }
    void TearDown() override {
        designer.Release();
        frame->Destroy();
        tev::PumpEventsFor(20);
    }
    CComPtr<IControlWindow> Site() {
        CComPtr<IControlWindow> site;
        designer.QueryInterface(IID_IControlWindow, site);
        return site;
    }
    wxWindow* CreateWindow() {
        wxWindow* window = nullptr;
        EXPECT_EQ(Site()->CreateControlWindow(frame, 0, "ComponentData", wxRect(0, 0, 860, 600),
                                              true, &window),
                  S_OK);
        return window;
    }
    std::string Data() {
        BSTR xml = nullptr;
        EXPECT_EQ(designer->GetDataSection(&xml), S_OK);
        return TakeText(xml);
    }
    HRESULT SetData(const std::string& xml) {
        CComBSTR text(xml);
        return designer->SetDataSection(text);
    }
    // The date picker's first day of the week: 1 Sunday, 2 Monday.
    int PickerFirstDay() {
        wxGenericCalendarCtrl* picker = tevtest::FindWindowOfType<wxGenericCalendarCtrl>(frame);
        if (!picker)
            return 0;
        return picker->HasFlag(wxCAL_MONDAY_FIRST) ? 2 : 1;
    }
};

} // namespace

// ---------------------------------------------------------------------------------------
// Registration

TEST(CalendarRegistration, RegistersEveryKeyAndUnregistersWithoutTouchingTheRoots) {
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
    RegistryStore& store = RegistryStore::Instance();
    // Left over from an older registration, and a neighbour that is not ours.
    ASSERT_TRUE(store.SetString(Hive::ClassesRoot, std::string(kClassKey) + "\\Obsolete", "", "x"));
    ASSERT_TRUE(
        store.SetString(Hive::ClassesRoot, std::string(kClassKey) + "\\Control", "Old", "1"));
    ASSERT_TRUE(store.SetString(Hive::ClassesRoot, "CLSID\\{00000000-1111-2222-3333-444444444444}",
                                "", "neighbour"));
    ASSERT_TRUE(store.SetString(Hive::ClassesRoot, "AppID\\{00000000-1111-2222-3333-444444444444}",
                                "", "neighbour"));

    ASSERT_EQ(tev::RegisterModule(tevtest::CalendarModulePath()), S_OK);
    ExpectRegistered();
    // Registering again changes nothing.
    ASSERT_EQ(tev::RegisterModule(tevtest::CalendarModulePath()), S_OK);
    ExpectRegistered();
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(kCalendarProgId, &clsid), S_OK);
    EXPECT_EQ(GuidToString(clsid), kClsid);
    ASSERT_EQ(CLSIDFromProgID(kVersionIndependent, &clsid), S_OK);
    EXPECT_EQ(GuidToString(clsid), kClsid);

    ASSERT_EQ(tev::RegisterModule(tevtest::CalendarModulePath(), true), S_OK);
    ExpectUnregistered();
    EXPECT_EQ(Text(Hive::ClassesRoot, "CLSID\\{00000000-1111-2222-3333-444444444444}"),
              "neighbour");
    EXPECT_EQ(Text(Hive::ClassesRoot, "AppID\\{00000000-1111-2222-3333-444444444444}"),
              "neighbour");
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(tev::CreateInstanceByProgID(kCalendarProgId, IID_IUnknown, &object),
              CO_E_CLASSSTRING);
    EXPECT_EQ(object, nullptr);
    // Unregistering what is not there is no failure.
    EXPECT_EQ(tev::RegisterModule(tevtest::CalendarModulePath(), true), S_OK);
}

TEST(CalendarRegistration, TheRegistrationToolRegistersUnregistersAndReportsFailures) {
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
    EXPECT_EQ(RunTool("/s " + tevtest::CalendarModulePath()), 0);
    ExpectRegistered();
    EXPECT_EQ(RunTool(tevtest::CalendarModulePath() + " /u"), 0);
    ExpectUnregistered();
    EXPECT_EQ(RunTool("-s -U " + tevtest::CalendarModulePath()), 0);
    ExpectUnregistered();
    EXPECT_EQ(RunTool(tevtest::CalendarModulePath()), 0);
    ExpectRegistered();

    struct Case {
        std::string arguments;
        int exitCode;
    };
    const Case failures[] = {
        {"", 1},
        {"/x " + tevtest::CalendarModulePath(), 1},
        {tevtest::CalendarModulePath() + " " + tevtest::CalendarModulePath(), 1},
        {tevtest::ProgramDir() + "NoSuchModule.so", 2},
        {tevtest::ProgramDir(), 2},
        // A library without the registration entry points.
        {tevtest::ProgramDir() + "libTEVPlatform.so", 2},
        {tevtest::ProgramDir() + "libTEVPlatform.so /u", 2},
    };
    for (const Case& c : failures)
        EXPECT_EQ(RunTool(c.arguments), c.exitCode) << "tev-regsvr " << c.arguments;
    // Nothing of that touched the registration.
    ExpectRegistered();
}

TEST(CalendarRegistration, TheMachineRegistrationServesEveryUserAndMovesWithTheProgram) {
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
    // The machine's classes sit beside a copy of the module, as in an installed tree.
    const std::string tree = registry.folder() + "program/";
    const std::string module = tree + "TEVCalendarAx.so";
    ASSERT_EQ(std::system(("mkdir -p " + tree + " && cp " + tevtest::CalendarModulePath() + " " +
                           module)
                              .c_str()),
              0);
    tevtest::ScopedEnv machine("TEV_MACHINE_REGISTRY_DIR", tree + "registry");
    ASSERT_EQ(RunTool("/m " + module), 0);

    EXPECT_EQ(Text(Hive::MachineClasses, std::string(kClassKey) + "\\InprocServer32"),
              "../TEVCalendarAx.so");
    EXPECT_FALSE(tev::FileExists(RegistryStore::HiveFile(Hive::UserClasses)));
    CLSID clsid;
    ASSERT_TRUE(GuidFromString(kClsid, clsid));
    EXPECT_EQ(tev::InprocServerPath(clsid), module);
    // A user's registration of a module that is gone does not hide the program's own.
    ASSERT_TRUE(RegistryStore::Instance().SetString(
        Hive::ClassesRoot, std::string(kClassKey) + "\\InprocServer32", "", "/gone/Ax.so"));
    CComPtr<IUnknown> object;
    EXPECT_EQ(tev::CreateInstanceByProgID(kCalendarProgId, IID_IUnknown,
                                          reinterpret_cast<void**>(&object)),
              S_OK);
    EXPECT_TRUE(object);
}

// ---------------------------------------------------------------------------------------
// The designer interface

TEST_F(CalendarDesigner, AnswersItsInterfacesOnOneDualVtable) {
    struct Case {
        IID iid;
        HRESULT result;
    };
    const Case cases[] = {
        {IID_IUnknown, S_OK},
        {IID_IDispatch, S_OK},
        {IID_ITEVComponentDesigner, S_OK},
        {kIidCalendarDesigner, S_OK},
        {IID_IControlWindow, S_OK},
        {IID_IClassFactory, E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        void* object = nullptr;
        EXPECT_EQ(designer->QueryInterface(c.iid, &object), c.result) << GuidToString(c.iid);
        if (!object) {
            EXPECT_NE(c.result, S_OK);
            continue;
        }
        if (c.iid == IID_IDispatch || c.iid == kIidCalendarDesigner) {
            EXPECT_EQ(object, static_cast<void*>(designer.p));
        }
        static_cast<IUnknown*>(object)->Release();
    }
}

TEST_F(CalendarDesigner, DesignerTagIsCopiedInAndOut) {
    BSTR tag = reinterpret_cast<BSTR>(1);
    EXPECT_EQ(designer->GetDesignerTag(&tag), S_OK);
    EXPECT_EQ(tag, nullptr); // never set

    CComBSTR set("Kalender \xC3\xBC 1");
    EXPECT_EQ(designer->SetDesignerTag(set), S_OK);
    EXPECT_EQ(designer->GetDesignerTag(&tag), S_OK);
    EXPECT_NE(tag, set.m_str); // a copy for the caller to free
    EXPECT_EQ(TakeText(tag), "Kalender \xC3\xBC 1");
    set.Attach(nullptr);
    EXPECT_EQ(designer->GetDesignerTag(&tag), S_OK); // the control kept its own copy
    EXPECT_EQ(TakeText(tag), "Kalender \xC3\xBC 1");

    CComBSTR empty("");
    EXPECT_EQ(designer->SetDesignerTag(empty), S_OK);
    EXPECT_EQ(designer->GetDesignerTag(&tag), S_OK);
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(TakeText(tag), "");
    EXPECT_EQ(designer->SetDesignerTag(nullptr), S_OK);
    EXPECT_EQ(designer->GetDesignerTag(&tag), S_OK);
    EXPECT_EQ(tag, nullptr);
}

TEST_F(CalendarDesigner, ExtendedParamsAndReservedDoNothing) {
    BSTR params = nullptr;
    EXPECT_EQ(designer->GetExtendedParams(&params), S_OK);
    EXPECT_EQ(params, nullptr);
    CComBSTR sentinel("untouched");
    params = sentinel.m_str;
    EXPECT_EQ(designer->GetExtendedParams(&params), S_OK);
    EXPECT_EQ(params, sentinel.m_str);
    CComBSTR fragment("<Param name=\"x\"/>");
    EXPECT_EQ(designer->SetExtendedParams(fragment), S_OK);
    EXPECT_EQ(designer->SetExtendedParams(nullptr), S_OK);
    EXPECT_EQ(designer->Reserved(), S_OK);
    CreateWindow();
    EXPECT_EQ(designer->GetExtendedParams(&params), S_OK);
    EXPECT_EQ(params, sentinel.m_str);
}

TEST_F(CalendarDesigner, DataCallsBeforeAndAfterTheWindowAreDropped) {
    CComBSTR sentinel("untouched");
    BSTR xml = sentinel.m_str;
    EXPECT_EQ(designer->GetDataSection(&xml), S_OK);
    EXPECT_EQ(xml, sentinel.m_str);
    EXPECT_EQ(SetData(tevtest::WeekOfMeetingsData()), S_OK);

    wxWindow* window = CreateWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetName(), "ComponentData");
    EXPECT_EQ(window->GetParent(), frame);
    // What came before the window was not kept.
    EXPECT_EQ(Data(), kEmptyCalendarData);
    // One window per control.
    EXPECT_EQ(Site()->CreateControlWindow(frame, 0, "again", wxRect(), true, nullptr),
              E_UNEXPECTED);

    EXPECT_EQ(SetData(tevtest::WeekOfMeetingsData()), S_OK);
    EXPECT_EQ(Site()->DestroyControlWindow(), S_OK);
    EXPECT_EQ(Site()->DestroyControlWindow(), S_FALSE);
    wxWindow* none = frame;
    EXPECT_EQ(Site()->GetControlWindow(&none), S_OK);
    EXPECT_EQ(none, nullptr);
    xml = sentinel.m_str;
    EXPECT_EQ(designer->GetDataSection(&xml), S_OK);
    EXPECT_EQ(xml, sentinel.m_str);
    EXPECT_EQ(SetData("<Data/>"), S_OK);
    VARIANT value;
    VariantInit(&value);
    CComBSTR name("WeekStartDay");
    EXPECT_EQ(designer->OnPropertyChanged(name, nullptr, value), S_OK);
}

TEST_F(CalendarDesigner, TheWindowFollowsItsParentAndTheHostsSizes) {
    wxWindow* window = CreateWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Site()->MoveControlWindow(wxRect(10, 20, 700, 500)), S_OK);
    EXPECT_EQ(window->GetRect(), wxRect(10, 20, 700, 500));
    // The frame "Calendar" covers the whole control.
    wxWindow* calendarFrame = window->FindWindow("Calendar");
    ASSERT_NE(calendarFrame, nullptr);
    tev::PumpEventsFor(50);
    EXPECT_EQ(calendarFrame->GetRect(), wxRect(0, 0, 700, 500));

    // The window goes with its parent; the control notices and drops data calls after.
    window->GetParent()->DestroyChildren();
    wxWindow* none = frame;
    EXPECT_EQ(Site()->GetControlWindow(&none), S_OK);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(SetData(tevtest::WeekOfMeetingsData()), S_OK);
    EXPECT_EQ(Site()->MoveControlWindow(wxRect(0, 0, 10, 10)), S_FALSE);
}

TEST_F(CalendarDesigner, DataRoundTripsAndBadTextLeavesTheEventsAlone) {
    CreateWindow();
    EXPECT_EQ(Data(), kEmptyCalendarData);
    const std::string week = tevtest::WeekOfMeetingsData();
    ASSERT_FALSE(week.empty());
    EXPECT_EQ(SetData(week), S_OK);
    const std::string loaded = Data();
    EXPECT_EQ(loaded, week);

    const char* const bad[] = {"", "not xml", "<Data><Events>", "<Data>\n\t<Events>\n\t\t<Event "};
    for (const char* text : bad) {
        EXPECT_EQ(SetData(text), S_OK) << text;
        EXPECT_EQ(Data(), loaded) << "after \"" << text << "\"";
    }
    EXPECT_EQ(designer->SetDataSection(nullptr), S_OK); // NULL reads as ""
    EXPECT_EQ(Data(), loaded);

    // The empty element of a new project empties the calendar.
    EXPECT_EQ(SetData("<Data/>"), S_OK);
    EXPECT_EQ(Data(), kEmptyCalendarData);
    EXPECT_EQ(SetData(loaded), S_OK);
    EXPECT_EQ(Data(), loaded);
}

TEST_F(CalendarDesigner, WeekStartDayTakesTheSixteenBitPayloadOfTheExactName) {
    CreateWindow();
    ASSERT_EQ(PickerFirstDay(), 1); // Sunday until told otherwise

    auto variant = [](VARTYPE type, int32_t number) {
        CComVariant value;
        value.vt = type;
        value.lVal = number;
        return value;
    };
    struct Case {
        const char* name;
        CComVariant value;
        bool init;
        int firstDay;
    };
    const Case cases[] = {
        {"WeekStartDay", CComVariant(false), false, 2},
        {"WeekStartDay", CComVariant(true), false, 1},
        {"WeekStartDay", CComVariant(0), true, 2},
        {"WeekStartDay", CComVariant(1), true, 1},
        {"WeekStartDay", variant(VT_I4, 0x10000), false, 2}, // payload zero
        {"weekstartday", CComVariant(1), false, 2},          // other letter case: ignored
        {"WeekStartDay", variant(VT_I2, 0xFFFF), false, 1},
        {"WEEKSTARTDAY", CComVariant(false), true, 1},
        {"WeekStartDay ", CComVariant(false), false, 1},
        {"FirstDayOfWeek", CComVariant(false), false, 1},
        {"WeekStartDay", variant(VT_EMPTY, 0), true, 2},
    };
    for (const Case& c : cases) {
        CComBSTR name(c.name);
        CComBSTR category(c.init ? "Properties" : "");
        VARIANT copy;
        VariantInit(&copy);
        VariantCopy(&copy, &c.value);
        const HRESULT hr = c.init ? designer->OnPropertyInit(name, category, copy)
                                  : designer->OnPropertyChanged(name, category, copy);
        VariantClear(&copy);
        EXPECT_EQ(hr, S_OK);
        EXPECT_EQ(PickerFirstDay(), c.firstDay) << c.name << " vt " << c.value.vt;
    }
}

TEST_F(CalendarDesigner, OffersItsEventsAsAnICalendarFeed) {
    CComPtr<ITEVComponentFeed> feed;
    ASSERT_EQ(designer->QueryInterface(IID_ITEVComponentFeed, reinterpret_cast<void**>(&feed)),
              S_OK);
    BSTR name = nullptr;
    EXPECT_EQ(feed->GetFeedFileName(CComBSTR("Spring \xC3\xA9t\xC3\xA9"), &name), S_OK);
    EXPECT_EQ(TakeText(name), "Spring \xC3\xA9t\xC3\xA9.ics");

    tevtest::TempDir folder;
    const std::string path = folder / "Spring.ics";
    EXPECT_EQ(feed->WriteFeed(CComBSTR(path)), S_FALSE); // no window, no events to write
    EXPECT_FALSE(tev::FileExists(path));
    CreateWindow();
    ASSERT_EQ(SetData(tevtest::WeekOfMeetingsData()), S_OK);
    EXPECT_EQ(feed->WriteFeed(CComBSTR(path)), S_OK);
    const std::string text = tevtest::ReadFileBytes(path);
    EXPECT_EQ(text.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
    EXPECT_EQ(tevtest::CountOf(text, "BEGIN:VEVENT"), 14u); // 13 events, one moved occurrence
    EXPECT_NE(text.find("UID:week-of-meetings-9@example.org"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:Weekly 1:1 with Sam (moved)"), std::string::npos);
    EXPECT_EQ(feed->WriteFeed(CComBSTR(folder / "missing/folder/Spring.ics")), S_FALSE);
}
