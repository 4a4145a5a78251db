#pragma once
// Stands in for the URL-moniker session (CoInternetGetSession, RegisterNameSpace,
// UnregisterNameSpace): a table of temporary handlers, one class factory per URL namespace
// ("about"), and the lookup that a browser's URL scheme handler calls to have a URL served.
#include "platform/com/ComTypes.h"

#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace tev {

// What a handler answered for one URL.
struct InternetResponse {
    std::string contentType;
    std::string content; // the body's bytes
};

class InternetSession {
public:
    // The process's session, the one the preview registers with and the browser resolves with.
    static InternetSession& Instance();

    InternetSession() = default;
    ~InternetSession(); // releases the registered factories
    InternetSession(const InternetSession&) = delete;
    InternetSession& operator=(const InternetSession&) = delete;

    // Makes `factory` the handler of `nameSpace` (a URL scheme; letter case is ignored). The
    // session keeps a reference; a factory registered earlier for the namespace is replaced
    // and released. E_INVALIDARG for a null factory or a namespace that is not a scheme name.
    HRESULT RegisterNameSpace(IClassFactory* factory, std::string_view nameSpace);
    // Ends the registration of `factory` for `nameSpace` and releases it. S_FALSE, changing
    // nothing, when the namespace has no handler or another factory has replaced this one.
    HRESULT UnregisterNameSpace(IClassFactory* factory, std::string_view nameSpace);
    bool IsRegistered(std::string_view nameSpace) const;

    // Has `url` ("about:props.xml") served by its namespace's handler: a new handler object is
    // created, asked through IInternetProtocolLite and released. S_OK fills `response`.
    // Otherwise `response` is left empty and the result is INET_E_INVALID_URL (no namespace in
    // the URL), INET_E_UNKNOWN_PROTOCOL (no handler registered for it), or the handler's code.
    // The handler runs without the session's lock held, so it may use the session itself.
    HRESULT Resolve(std::string_view url, InternetResponse& response) const;

private:
    mutable std::mutex m_mutex;
    std::map<std::string, IClassFactory*> m_handlers; // namespace (lower case) -> owned reference
};

} // namespace tev
