#include "platform/com/Bstr.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Variant.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(Guid, FormatsAndParses) {
    GUID g;
    ASSERT_TRUE(GuidFromString("{19328147-f365-4aa9-b93a-a55e4872e3b9}", g));
    EXPECT_EQ(GuidToString(g), "{19328147-F365-4AA9-B93A-A55E4872E3B9}");
    EXPECT_EQ(g.Data1, 0x19328147u);
    EXPECT_EQ(g.Data4[7], 0xB9);
    EXPECT_TRUE(GuidFromString("19328147-F365-4AA9-B93A-A55E4872E3B9", g));
    for (const char* bad : {"", "{19328147-F365-4AA9-B93A-A55E4872E3B}", "{19328147F365-4AA9-B93A-A55E4872E3B99}",
                            "{1932814G-F365-4AA9-B93A-A55E4872E3B9}"})
        EXPECT_FALSE(GuidFromString(bad, g)) << bad;
}

TEST(Bstr, EmptyTextIsAnEmptyBstrNotNull) {
    CComBSTR empty("");
    ASSERT_NE(empty.m_str, nullptr);
    EXPECT_EQ(empty.Length(), 0u);
    EXPECT_EQ(tev::BstrToUtf8(nullptr), "");
    CComBSTR text("W\xC3\xA9" "ek");
    EXPECT_EQ(text.Length(), 4u);
    EXPECT_EQ(text.ToUtf8(), "W\xC3\xA9" "ek");
    CComBSTR copy = text;
    EXPECT_NE(copy.m_str, text.m_str);
    EXPECT_EQ(copy.ToUtf8(), text.ToUtf8());
}

TEST(Variant, CopiesOwnTheirStrings) {
    CComVariant a("text");
    CComVariant b(a);
    EXPECT_NE(a.bstrVal, b.bstrVal);
    EXPECT_EQ(b.ToText(), "text");
    b = CComVariant(int32_t(5));
    EXPECT_EQ(b.vt, VT_I4);
}

TEST(Variant, ConversionsFollowThePlatformsRules) {
    struct Case {
        CComVariant in;
        bool intOk;
        int32_t asInt;
        bool boolOk;
        bool asBool;
    };
    const Case cases[] = {
        {CComVariant("42"), true, 42, true, true},     {CComVariant(" -7 "), true, -7, true, true},
        {CComVariant("true"), true, -1, true, true},   {CComVariant("FALSE"), true, 0, true, false},
        {CComVariant("abc"), false, 0, false, false},  {CComVariant(""), false, 0, false, false},
        {CComVariant(true), true, -1, true, true},     {CComVariant(int32_t(0)), true, 0, true, false},
        {CComVariant("99999999999"), false, 0, true, true},
    };
    for (const Case& c : cases) {
        int32_t i = 0;
        bool b = false;
        EXPECT_EQ(c.in.ToInt(i), c.intOk) << c.in.ToText();
        if (c.intOk) {
            EXPECT_EQ(i, c.asInt) << c.in.ToText();
        }
        EXPECT_EQ(c.in.ToBool(b), c.boolOk) << c.in.ToText();
        if (c.boolOk) {
            EXPECT_EQ(b, c.asBool) << c.in.ToText();
        }
    }
    EXPECT_EQ(CComVariant(int32_t(640)).ToText(), "640");
    EXPECT_EQ(CComVariant::Error(E_FAIL).vt, VT_ERROR);
}

namespace {
struct Thing : IUnknown, tev::ComRefCount {
    static inline int alive = 0;
    Thing() { ++alive; }
    ~Thing() override { --alive; }
    HRESULT QueryInterface(REFIID riid, void** object) override {
        if (riid != IID_IUnknown)
            return E_NOINTERFACE;
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    TEV_IMPLEMENT_REFCOUNT
};
} // namespace

TEST(ComObject, FactoryCreatesAndReferencesEnd) {
    CComPtr<IClassFactory> factory;
    ASSERT_EQ(tev::ClassFactory::Create([] { return new Thing; }, IID_IClassFactory,
                                        reinterpret_cast<void**>(&factory)),
              S_OK);
    {
        CComPtr<IUnknown> object;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)), S_OK);
        EXPECT_EQ(Thing::alive, 1);
        void* none = nullptr;
        EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
    }
    EXPECT_EQ(Thing::alive, 0);
    IUnknown* outer = reinterpret_cast<IUnknown*>(factory.p);
    void* p = nullptr;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &p), CLASS_E_NOAGGREGATION);
}

TEST(ClassRegistry, UnknownProgIdsAndUnregisteredClassesFail) {
    tevtest::ScopedRegistry registry(tevtest::ScopedRegistry::MachineClasses::Private);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(tev::CreateInstanceByProgID("No.Such.Thing", IID_IUnknown, &object), CO_E_CLASSSTRING);
    EXPECT_EQ(object, nullptr);
    CLSID clsid;
    GuidFromString("{19328147-F365-4AA9-B93A-A55E4872E3B9}", clsid);
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, IID_IUnknown, &object), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(tev::RegisterModule("/nonexistent/module.so"), CO_E_DLLNOTFOUND);
}

TEST(Bstr, ByteStringsKeepTheirExactBytes) {
    const char bytes[] = {'P', 'N', 'G', '\0', '\x89', '\0', 'z'};
    for (uint32_t length : {0u, 1u, 4u, 7u}) {
        CComBSTR copy;
        copy.Attach(SysAllocStringByteLen(bytes, length));
        ASSERT_NE(copy.m_str, nullptr);
        EXPECT_EQ(SysStringByteLen(copy), length);
        const char* data = reinterpret_cast<const char*>(copy.m_str);
        EXPECT_EQ(std::string(data, length), std::string(bytes, length));
        EXPECT_EQ(data[length], '\0'); // terminated like every BSTR
    }
    EXPECT_EQ(SysStringByteLen(CComBSTR("abc")), 6u);
    // The byte count is 32 bits: a longer string must fail instead of wrapping it.
    EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
}
