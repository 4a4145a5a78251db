#include "platform/com/Bstr.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/web/InternetProtocolLite.h"
#include "platform/web/InternetSession.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using ServeFunction = std::function<HRESULT(const std::string& url, std::string& body)>;

// A handler object answering through a function, typed "text/plain"; counts live objects.
struct Handler : IInternetProtocolLite, tev::ComRefCount {
    static inline int alive = 0;
    static inline int created = 0;
    explicit Handler(ServeFunction serve) : serve(std::move(serve)) { ++alive, ++created; }
    ~Handler() override { --alive; }
    HRESULT QueryInterface(REFIID riid, void** object) override {
        const bool known = riid == IID_IUnknown || riid == IID_IInternetProtocolLite;
        *object = known ? static_cast<IInternetProtocolLite*>(this) : nullptr;
        return *object ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    TEV_IMPLEMENT_REFCOUNT
    HRESULT Serve(BSTR url, BSTR* contentType, BSTR* content) override {
        std::string body;
        const HRESULT hr = serve(tev::BstrToUtf8(url), body);
        if (SUCCEEDED(hr)) {
            *contentType = tev::AllocBstr("text/plain");
            *content = SysAllocStringByteLen(body.data(), static_cast<uint32_t>(body.size()));
        }
        return hr;
    }
    ServeFunction serve;
};

CComPtr<IClassFactory> HandlerFactory(ServeFunction serve) {
    CComPtr<IClassFactory> factory;
    tev::ClassFactory::Create([serve]() -> IUnknown* { return new Handler(serve); },
                              IID_IClassFactory, reinterpret_cast<void**>(&factory));
    return factory;
}

// A handler that answers every URL with "tag|url".
CComPtr<IClassFactory> TaggedFactory(const std::string& tag) {
    return HandlerFactory([tag](const std::string& url, std::string& body) {
        body = tag + "|" + url;
        return S_OK;
    });
}

ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

std::string Body(const tev::InternetSession& session, const std::string& url) {
    tev::InternetResponse response;
    return SUCCEEDED(session.Resolve(url, response)) ? response.content : "(nothing)";
}

} // namespace

TEST(InternetSession, ResolvesEachRequestThroughAFreshHandlerUntilUnregistered) {
    tev::InternetSession session;
    CComPtr<IClassFactory> factory = TaggedFactory("A");
    EXPECT_EQ(Body(session, "about:props.xml"), "(nothing)");
    ASSERT_EQ(session.RegisterNameSpace(factory, "About"), S_OK);
    const int createdBefore = Handler::created;
    for (const char* url : {"about:props.xml", "ABOUT:Styles/a.css", "about:"}) {
        tev::InternetResponse response;
        ASSERT_EQ(session.Resolve(url, response), S_OK) << url;
        EXPECT_EQ(response.content, std::string("A|") + url);
        EXPECT_EQ(response.contentType, "text/plain");
    }
    EXPECT_EQ(Handler::created - createdBefore, 3);
    EXPECT_EQ(Handler::alive, 0);

    struct Case {
        const char* url;
        HRESULT result;
    };
    for (const Case& c : {Case{"tevabout:props.xml", INET_E_UNKNOWN_PROTOCOL},
                          Case{"props.xml", INET_E_INVALID_URL}, Case{":x", INET_E_INVALID_URL}}) {
        tev::InternetResponse response{"stale/type", "stale body"};
        EXPECT_EQ(session.Resolve(c.url, response), c.result) << c.url;
        EXPECT_TRUE(response.content.empty() && response.contentType.empty()) << c.url;
    }

    const ULONG held = References(factory);
    EXPECT_EQ(session.UnregisterNameSpace(factory, "ABOUT"), S_OK);
    EXPECT_EQ(References(factory), held - 1);
    EXPECT_EQ(Body(session, "about:props.xml"), "(nothing)");
    EXPECT_EQ(session.UnregisterNameSpace(factory, "about"), S_FALSE);
}

TEST(InternetSession, ReRegisteringReplacesTheHandler) {
    CComPtr<IClassFactory> first = TaggedFactory("first");
    CComPtr<IClassFactory> second = TaggedFactory("second");
    const ULONG alone = References(second);
    {
        tev::InternetSession session;
        ASSERT_EQ(session.RegisterNameSpace(first, "about"), S_OK);
        ASSERT_EQ(session.RegisterNameSpace(second, "tev-other"), S_OK);
        ASSERT_EQ(session.RegisterNameSpace(second, "about"), S_OK);
        EXPECT_EQ(References(first), alone); // the replaced factory is let go
        EXPECT_EQ(References(second), alone + 2);
        EXPECT_EQ(Body(session, "about:x"), "second|about:x");

        // An earlier owner ending its registration, or one for another namespace, changes
        // nothing; registering a factory again holds it once.
        EXPECT_EQ(session.UnregisterNameSpace(first, "about"), S_FALSE);
        EXPECT_EQ(session.UnregisterNameSpace(second, "other"), S_FALSE);
        ASSERT_EQ(session.RegisterNameSpace(second, "about"), S_OK);
        EXPECT_EQ(References(second), alone + 2);
        EXPECT_EQ(Body(session, "about:x"), "second|about:x");
        EXPECT_EQ(Body(session, "tev-other:x"), "second|tev-other:x");
    }
    EXPECT_EQ(References(second), alone); // the session's end releases its handlers
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
}

TEST(InternetSession, HandlerResultsAndBinaryBodiesPassThroughUnchanged) {
    const std::string png("\x89PNG\r\n\x1A\n\0\0\0", 11); // odd length, zero bytes
    tev::InternetSession session;
    ASSERT_EQ(
        session.RegisterNameSpace(HandlerFactory([png](const std::string& url, std::string& body) {
                                      body = url == "about:image.png" ? png : "";
                                      return url == "about:image.png" || url == "about:empty" ? S_OK
                                             : url == "about:../x" ? INET_E_INVALID_URL
                                                                   : INET_E_OBJECT_NOT_FOUND;
                                  }),
                                  "about"),
        S_OK);
    struct Case {
        const char* url;
        HRESULT result;
        std::string body;
    };
    for (const Case& c : {Case{"about:image.png", S_OK, png}, Case{"about:empty", S_OK, ""},
                          Case{"about:missing", INET_E_OBJECT_NOT_FOUND, ""},
                          Case{"about:../x", INET_E_INVALID_URL, ""}}) {
        tev::InternetResponse response{"stale", "stale"};
        EXPECT_EQ(session.Resolve(c.url, response), c.result) << c.url;
        EXPECT_EQ(response.content, c.body) << c.url;
    }
}

TEST(InternetSession, AHandlerMayUseTheSessionWhileItServes) {
    // The preview can be torn down while its page still asks for a URL: the handler then runs
    // while its registration ends. That may neither deadlock nor free what is in use.
    tev::InternetSession session;
    ASSERT_EQ(session.RegisterNameSpace(TaggedFactory("inner"), "inner"), S_OK);
    IClassFactory* self = nullptr;
    CComPtr<IClassFactory> outer =
        HandlerFactory([&session, &self](const std::string&, std::string& body) {
            body = Body(session, "inner:x");
            session.UnregisterNameSpace(self, "about");
            return S_OK;
        });
    self = outer;
    ASSERT_EQ(session.RegisterNameSpace(outer, "about"), S_OK);
    EXPECT_EQ(Body(session, "about:y"), "inner|inner:x");
    EXPECT_FALSE(session.IsRegistered("about"));
}
