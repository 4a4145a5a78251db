#include "platform/web/InternetSession.h"

#include "platform/com/Bstr.h"
#include "platform/com/ComPtr.h"
#include "platform/text/StringUtil.h"
#include "platform/web/InternetProtocolLite.h"

#include <cctype>

namespace tev {
namespace {

// A scheme name: a letter, then letters, digits, '+', '-' or '.'.
bool IsSchemeName(std::string_view text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (!std::isalnum(u) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

// Frees the out parameters of one Serve call, whatever it returned.
struct ServedStrings {
    BSTR contentType = nullptr;
    BSTR content = nullptr;
    ~ServedStrings() {
        SysFreeString(contentType);
        SysFreeString(content);
    }
};

} // namespace

InternetSession& InternetSession::Instance() {
    static InternetSession session;
    return session;
}

InternetSession::~InternetSession() {
    for (auto& entry : m_handlers)
        entry.second->Release();
}

HRESULT InternetSession::RegisterNameSpace(IClassFactory* factory, std::string_view nameSpace) {
    if (!factory || !IsSchemeName(nameSpace))
        return E_INVALIDARG;
    factory->AddRef();
    IClassFactory* replaced = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        IClassFactory*& slot = m_handlers[ToLowerAscii(nameSpace)];
        replaced = slot;
        slot = factory;
    }
    // Released outside the lock: the last reference may run the handler's own clean-up.
    if (replaced)
        replaced->Release();
    return S_OK;
}

HRESULT InternetSession::UnregisterNameSpace(IClassFactory* factory, std::string_view nameSpace) {
    IClassFactory* removed = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        const auto it = m_handlers.find(ToLowerAscii(nameSpace));
        if (it == m_handlers.end() || !factory || it->second != factory)
            return S_FALSE;
        removed = it->second;
        m_handlers.erase(it);
    }
    removed->Release();
    return S_OK;
}

bool InternetSession::IsRegistered(std::string_view nameSpace) const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_handlers.count(ToLowerAscii(nameSpace)) != 0;
}

HRESULT InternetSession::Resolve(std::string_view url, InternetResponse& response) const {
    response = InternetResponse();
    const size_t colon = url.find(':');
    if (colon == std::string_view::npos || !IsSchemeName(url.substr(0, colon)))
        return INET_E_INVALID_URL;

    CComPtr<IClassFactory> factory;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        const auto it = m_handlers.find(ToLowerAscii(url.substr(0, colon)));
        if (it == m_handlers.end())
            return INET_E_UNKNOWN_PROTOCOL;
        factory = it->second; // our own reference, so an unregistration meanwhile is harmless
    }

    CComPtr<IInternetProtocolLite> handler;
    HRESULT hr = factory->CreateInstance(nullptr, IID_IInternetProtocolLite,
                                         reinterpret_cast<void**>(&handler));
    if (FAILED(hr))
        return hr;
    if (!handler)
        return E_UNEXPECTED;

    CComBSTR urlText(url);
    if (!urlText.m_str)
        return E_OUTOFMEMORY;
    ServedStrings served;
    hr = handler->Serve(urlText, &served.contentType, &served.content);
    if (FAILED(hr))
        return hr;

    response.contentType = BstrToUtf8(served.contentType);
    if (response.contentType.empty())
        response.contentType = "application/octet-stream";
    if (served.content)
        response.content.assign(reinterpret_cast<const char*>(served.content),
                                SysStringByteLen(served.content));
    return S_OK;
}

} // namespace tev
