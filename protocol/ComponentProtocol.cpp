#include "protocol/ComponentProtocol.h"

#include "platform/com/Bstr.h"
#include "platform/text/StringUtil.h"
#include "protocol/ComponentFiles.h"
#include "protocol/ComponentProtocolState.h"

namespace tevprotocol {

HRESULT CComponentProtocol::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_ITEVComponentProtocol)
        *object = static_cast<ITEVComponentProtocol*>(this);
    else if (riid == IID_IInternetProtocolLite)
        *object = static_cast<IInternetProtocolLite*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT CComponentProtocol::SetBaseFolder(BSTR folder) {
    ComponentProtocolState::Instance().Store(&PushedTexts::baseFolder, tev::BstrToUtf8(folder));
    return S_OK;
}

HRESULT CComponentProtocol::SetUserDefinedXml(BSTR xml) {
    ComponentProtocolState::Instance().Store(&PushedTexts::userDefinedXml, tev::BstrToUtf8(xml));
    return S_OK;
}

HRESULT CComponentProtocol::SetDataXml(BSTR xml) {
    ComponentProtocolState::Instance().Store(&PushedTexts::dataXml, tev::BstrToUtf8(xml));
    return S_OK;
}

HRESULT CComponentProtocol::SetExtendedXmlText(BSTR fragment) {
    ComponentProtocolState::Instance().Store(&PushedTexts::extendedXml, tev::BstrToUtf8(fragment));
    return S_OK;
}

HRESULT CComponentProtocol::Serve(BSTR url, BSTR* contentType, BSTR* content) {
    if (!contentType || !content)
        return E_POINTER;
    *contentType = nullptr;
    *content = nullptr;

    std::string name;
    HRESULT hr = NameFromUrl(tev::BstrToUtf8(url), name);
    if (FAILED(hr))
        return hr;
    const PushedTexts texts = ComponentProtocolState::Instance().Snapshot();
    std::string bytes;
    std::string type;
    if (tev::EqualsNoCase(name, kPropsDocumentName)) {
        bytes = BuildPropsDocument(texts);
        type = "text/xml";
    } else {
        hr = ReadFileBelow(texts.baseFolder, name, bytes);
        if (FAILED(hr))
            return hr;
        type = ContentTypeFor(name);
    }

    if (bytes.size() > UINT32_MAX) // beyond what a byte BSTR can count
        return E_OUTOFMEMORY;
    *contentType = tev::AllocBstr(type);
    *content = SysAllocStringByteLen(bytes.data(), static_cast<uint32_t>(bytes.size()));
    if (!*contentType || !*content) {
        SysFreeString(*contentType);
        SysFreeString(*content);
        *contentType = nullptr;
        *content = nullptr;
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

} // namespace tevprotocol

// The module's only export: class objects for the handler's class.
extern "C" __attribute__((visibility("default"))) HRESULT
DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (clsid != CLSID_TEVComponentProtocol)
        return CLASS_E_CLASSNOTAVAILABLE;
    return tev::ClassFactory::Create(
        [] { return static_cast<ITEVComponentProtocol*>(new tevprotocol::CComponentProtocol); },
        riid, object);
}
