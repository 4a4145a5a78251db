#include "platform/com/ComObject.h"

namespace tev {

HRESULT ClassFactory::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory)
        return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    IUnknown* created = m_create ? m_create() : nullptr;
    if (!created)
        return E_OUTOFMEMORY;
    created->AddRef();
    const HRESULT hr = created->QueryInterface(riid, object);
    created->Release();
    return hr;
}

HRESULT ClassFactory::Create(Creator create, REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    auto* factory = new ClassFactory(std::move(create));
    factory->AddRef();
    const HRESULT hr = factory->QueryInterface(riid, object);
    factory->Release();
    return hr;
}

} // namespace tev
