#pragma once
// The serving side of a temporary URL namespace handler (see InternetSession.h): the session
// creates a fresh handler object through the registered class factory for every request,
// asks it for one URL through this interface, and releases it.
#include "platform/com/Bstr.h"
#include "platform/com/ComTypes.h"

// Result codes of URL requests, as the URL-moniker layer numbers them.
constexpr HRESULT INET_E_INVALID_URL = static_cast<HRESULT>(0x800C0002);
constexpr HRESULT INET_E_OBJECT_NOT_FOUND = static_cast<HRESULT>(0x800C0006);
constexpr HRESULT INET_E_DATA_NOT_AVAILABLE = static_cast<HRESULT>(0x800C0007);
constexpr HRESULT INET_E_UNKNOWN_PROTOCOL = static_cast<HRESULT>(0x800C000D);

// {DF65CE3D-8AA2-4FC6-AD60-DC12FD18ED71}
constexpr IID IID_IInternetProtocolLite{
    0xDF65CE3D, 0x8AA2, 0x4FC6, {0xAD, 0x60, 0xDC, 0x12, 0xFD, 0x18, 0xED, 0x71}};

struct IInternetProtocolLite : IUnknown {
    // Answers one request for `url`, the whole URL with its namespace ("about:props.xml").
    // `url` stays the caller's. The caller sets *contentType and *content to NULL before the
    // call and afterwards frees with SysFreeString whatever is not NULL, whatever the result.
    //
    // S_OK: *contentType is a new BSTR holding the MIME type ("text/xml"); *content is a new
    // byte BSTR (SysAllocStringByteLen) holding the body exactly, SysStringByteLen(*content)
    // bytes, which may be an odd number and may contain zero bytes. Text is UTF-8.
    // Failures leave both NULL: INET_E_OBJECT_NOT_FOUND when nothing is at that URL,
    // INET_E_INVALID_URL when the URL is malformed or refused, INET_E_DATA_NOT_AVAILABLE when
    // the content cannot be read, E_POINTER, E_OUTOFMEMORY.
    virtual HRESULT Serve(BSTR url, BSTR* contentType, BSTR* content) = 0;

protected:
    ~IInternetProtocolLite() = default;
};
