#include "platform/com/Bstr.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/web/InternetProtocolLite.h"
#include "platform/web/InternetSession.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using ServeFunction =
    std::function<HRESULT(const std::string& url, std::string& type, std::string& body)>;

// A handler object answering through a function; counts the objects alive.
struct Handler : IInternetProtocolLite, tev::ComRefCount {
    static inline int alive = 0;
    static inline int created = 0;
    explicit Handler(ServeFunction serve) : serve(std::move(serve)) {
        ++alive;
        ++created;
    }
    ~Handler() override { --alive; }
    HRESULT QueryInterface(REFIID riid, void** object) override {
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_IInternetProtocolLite)
            return E_NOINTERFACE;
        *object = static_cast<IInternetProtocolLite*>(this);
        AddRef();
        return S_OK;
    }
    TEV_IMPLEMENT_REFCOUNT
    HRESULT Serve(BSTR url, BSTR* contentType, BSTR* content) override {
        std::string type, body;
        const HRESULT hr = serve(tev::BstrToUtf8(url), type, body);
        if (SUCCEEDED(hr)) {
            *contentType = tev::AllocBstr(type);
            *content = SysAllocStringByteLen(body.data(), static_cast<uint32_t>(body.size()));
        }
        return hr;
    }
    ServeFunction serve;
};

// A handler object that serves nothing: it lacks the serving interface.
struct Mute : IUnknown, tev::ComRefCount {
    HRESULT QueryInterface(REFIID riid, void** object) override {
        *object = nullptr;
        if (riid != IID_IUnknown)
            return E_NOINTERFACE;
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    TEV_IMPLEMENT_REFCOUNT
};

// A factory whose references can be counted from outside.
CComPtr<IClassFactory> MakeFactory(tev::ClassFactory::Creator create) {
    CComPtr<IClassFactory> factory;
    tev::ClassFactory::Create(std::move(create), IID_IClassFactory,
                              reinterpret_cast<void**>(&factory));
    return factory;
}

CComPtr<IClassFactory> TaggedFactory(const std::string& tag) {
    return MakeFactory([tag]() -> IUnknown* {
        return new Handler([tag](const std::string& url, std::string& type, std::string& body) {
            type = "text/plain";
            body = tag + "|" + url;
            return S_OK;
        });
    });
}

ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

} // namespace

TEST(InternetSession, RegisteredNamespaceServesEachRequestWithAFreshInstance) {
    tev::InternetSession session;
    CComPtr<IClassFactory> factory = TaggedFactory("A");
    ASSERT_EQ(session.RegisterNameSpace(factory, "about"), S_OK);
    EXPECT_TRUE(session.IsRegistered("about"));

    const int createdBefore = Handler::created;
    struct Case {
        const char* url;
        const char* body;
    };
    const Case cases[] = {
        {"about:props.xml", "A|about:props.xml"},
        {"ABOUT:Styles/a.css", "A|ABOUT:Styles/a.css"}, // namespaces ignore letter case
        {"About:", "A|About:"},
    };
    for (const Case& c : cases) {
        tev::InternetResponse response;
        ASSERT_EQ(session.Resolve(c.url, response), S_OK) << c.url;
        EXPECT_EQ(response.content, c.body);
        EXPECT_EQ(response.contentType, "text/plain");
    }
    EXPECT_EQ(Handler::created - createdBefore, 3);
    EXPECT_EQ(Handler::alive, 0);
}

TEST(InternetSession, UnregisteredNamespacesResolveToNothing) {
    tev::InternetSession session;
    tev::InternetResponse response{"stale/type", "stale body"};
    EXPECT_EQ(session.Resolve("about:props.xml", response), INET_E_UNKNOWN_PROTOCOL);
    EXPECT_TRUE(response.content.empty());
    EXPECT_TRUE(response.contentType.empty());

    CComPtr<IClassFactory> factory = TaggedFactory("A");
    ASSERT_EQ(session.RegisterNameSpace(factory, "About"), S_OK);
    EXPECT_EQ(session.Resolve("tevabout:props.xml", response), INET_E_UNKNOWN_PROTOCOL);
    EXPECT_EQ(session.Resolve("props.xml", response), INET_E_INVALID_URL);
    EXPECT_EQ(session.Resolve(":props.xml", response), INET_E_INVALID_URL);
    EXPECT_EQ(session.Resolve("", response), INET_E_INVALID_URL);

    const ULONG held = References(factory);
    EXPECT_EQ(session.UnregisterNameSpace(factory, "ABOUT"), S_OK);
    EXPECT_EQ(References(factory), held - 1);
    EXPECT_FALSE(session.IsRegistered("about"));
    EXPECT_EQ(session.Resolve("about:props.xml", response), INET_E_UNKNOWN_PROTOCOL);
    EXPECT_EQ(session.UnregisterNameSpace(factory, "about"), S_FALSE);
}

TEST(InternetSession, ReRegisteringReplacesTheHandler) {
    tev::InternetSession session;
    CComPtr<IClassFactory> first = TaggedFactory("first");
    CComPtr<IClassFactory> second = TaggedFactory("second");
    const ULONG firstAlone = References(first);
    ASSERT_EQ(session.RegisterNameSpace(first, "about"), S_OK);
    EXPECT_EQ(References(first), firstAlone + 1);
    ASSERT_EQ(session.RegisterNameSpace(second, "about"), S_OK);
    EXPECT_EQ(References(first), firstAlone); // the replaced factory is let go

    tev::InternetResponse response;
    ASSERT_EQ(session.Resolve("about:x", response), S_OK);
    EXPECT_EQ(response.content, "second|about:x");

    // The earlier owner ending its registration must not remove the newer one.
    EXPECT_EQ(session.UnregisterNameSpace(first, "about"), S_FALSE);
    ASSERT_EQ(session.Resolve("about:x", response), S_OK);
    EXPECT_EQ(response.content, "second|about:x");

    // Registering the same factory again keeps exactly one reference for it.
    const ULONG secondRegistered = References(second);
    ASSERT_EQ(session.RegisterNameSpace(second, "about"), S_OK);
    EXPECT_EQ(References(second), secondRegistered);
    EXPECT_EQ(session.UnregisterNameSpace(second, "about"), S_OK);
    EXPECT_EQ(session.Resolve("about:x", response), INET_E_UNKNOWN_PROTOCOL);
}

TEST(InternetSession, NamespacesAreKeptApart) {
    tev::InternetSession session;
    CComPtr<IClassFactory> about = TaggedFactory("about");
    CComPtr<IClassFactory> other = TaggedFactory("other");
    ASSERT_EQ(session.RegisterNameSpace(about, "about"), S_OK);
    ASSERT_EQ(session.RegisterNameSpace(other, "tev-other"), S_OK);
    tev::InternetResponse response;
    ASSERT_EQ(session.Resolve("tev-other:a", response), S_OK);
    EXPECT_EQ(response.content, "other|tev-other:a");
    EXPECT_EQ(session.UnregisterNameSpace(about, "tev-other"), S_FALSE);
    EXPECT_EQ(session.UnregisterNameSpace(about, "about"), S_OK);
    ASSERT_EQ(session.Resolve("tev-other:a", response), S_OK);
}

TEST(InternetSession, InvalidRegistrationsAreRefused) {
    tev::InternetSession session;
    CComPtr<IClassFactory> factory = TaggedFactory("A");
    EXPECT_EQ(session.RegisterNameSpace(nullptr, "about"), E_INVALIDARG);
    for (const char* name : {"", "1about", "ab:out", "ab out", "ab/out", "-about"}) {
        EXPECT_EQ(session.RegisterNameSpace(factory, name), E_INVALIDARG) << name;
        EXPECT_FALSE(session.IsRegistered(name)) << name;
    }
    EXPECT_FALSE(session.IsRegistered("about"));
    EXPECT_EQ(session.UnregisterNameSpace(nullptr, "about"), S_FALSE);
}

TEST(InternetSession, HandlerResultsAndBodiesPassThroughUnchanged) {
    const std::string binary("\x89PNG\r\n\x1A\n\0\0\0", 11); // odd length, zero bytes
    tev::InternetSession session;
    CComPtr<IClassFactory> factory = MakeFactory([binary]() -> IUnknown* {
        return new Handler([binary](const std::string& url, std::string& type, std::string& body) {
            if (url == "about:image.png") {
                type = "image/png";
                body = binary;
                return S_OK;
            }
            if (url == "about:untyped") {
                body = "x";
                return S_OK;
            }
            if (url == "about:empty") {
                type = "text/plain";
                return S_OK;
            }
            return url == "about:../x" ? INET_E_INVALID_URL : INET_E_OBJECT_NOT_FOUND;
        });
    });
    ASSERT_EQ(session.RegisterNameSpace(factory, "about"), S_OK);

    struct Case {
        const char* url;
        HRESULT result;
        const char* type;
        std::string body;
    };
    const Case cases[] = {
        {"about:image.png", S_OK, "image/png", binary},
        {"about:untyped", S_OK, "application/octet-stream", "x"},
        {"about:empty", S_OK, "text/plain", ""},
        {"about:missing", INET_E_OBJECT_NOT_FOUND, "", ""},
        {"about:../x", INET_E_INVALID_URL, "", ""},
    };
    for (const Case& c : cases) {
        tev::InternetResponse response{"stale", "stale"};
        EXPECT_EQ(session.Resolve(c.url, response), c.result) << c.url;
        EXPECT_EQ(response.contentType, c.type) << c.url;
        EXPECT_EQ(response.content, c.body) << c.url;
    }
    EXPECT_EQ(Handler::alive, 0);
}

TEST(InternetSession, AHandlerWithoutTheServingInterfaceServesNothing) {
    tev::InternetSession session;
    CComPtr<IClassFactory> factory = MakeFactory([]() -> IUnknown* { return new Mute; });
    ASSERT_EQ(session.RegisterNameSpace(factory, "about"), S_OK);
    tev::InternetResponse response;
    EXPECT_EQ(session.Resolve("about:props.xml", response), E_NOINTERFACE);
    EXPECT_TRUE(response.content.empty());
}

TEST(InternetSession, AHandlerMayUseTheSessionWhileItServes) {
    // The preview can be torn down while its page is still asking for a URL; the handler then
    // runs while its registration ends. Neither may deadlock or free what is in use.
    tev::InternetSession session;
    CComPtr<IClassFactory> inner = TaggedFactory("inner");
    ASSERT_EQ(session.RegisterNameSpace(inner, "inner"), S_OK);
    IClassFactory* self = nullptr;
    CComPtr<IClassFactory> outer = MakeFactory([&session, &self]() -> IUnknown* {
        return new Handler(
            [&session, &self](const std::string&, std::string& type, std::string& body) {
                tev::InternetResponse nested;
                const HRESULT hr = session.Resolve("inner:x", nested);
                session.UnregisterNameSpace(self, "about");
                type = "text/plain";
                body = nested.content;
                return hr;
            });
    });
    self = outer;
    ASSERT_EQ(session.RegisterNameSpace(outer, "about"), S_OK);
    const ULONG before = References(outer);
    tev::InternetResponse response;
    ASSERT_EQ(session.Resolve("about:y", response), S_OK);
    EXPECT_EQ(response.content, "inner|inner:x");
    EXPECT_FALSE(session.IsRegistered("about"));
    EXPECT_EQ(References(outer), before - 1);
}

TEST(InternetSession, EndingTheSessionReleasesItsHandlers) {
    CComPtr<IClassFactory> factory = TaggedFactory("A");
    const ULONG alone = References(factory);
    {
        tev::InternetSession session;
        ASSERT_EQ(session.RegisterNameSpace(factory, "about"), S_OK);
        ASSERT_EQ(session.RegisterNameSpace(factory, "other"), S_OK);
        EXPECT_EQ(References(factory), alone + 2);
    }
    EXPECT_EQ(References(factory), alone);
    EXPECT_EQ(&tev::InternetSession::Instance(), &tev::InternetSession::Instance());
}
