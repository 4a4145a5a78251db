#include "designer/properties/ComponentProtocolBinding.h"

#include "platform/com/Bstr.h"
#include "platform/com/ModuleLoader.h"
#include "platform/shell/InstallFolders.h"

namespace TEVComponentDesignerAfx {

CComponentProtocolBinding::CComponentProtocolBinding() {
    const std::string path = tev::ModuleFolder() + kTEVComponentProtocolModule;
    if (FAILED(tev::GetClassObjectFromModule(path, CLSID_TEVComponentProtocol, IID_IClassFactory,
                                             reinterpret_cast<void**>(&m_factory))))
        m_factory.Release();
}

bool CComponentProtocolBinding::Push(Method method, std::string_view text) const {
    if (!m_factory || !method)
        return false;
    CComPtr<IUnknown> instance;
    if (FAILED(m_factory->CreateInstance(nullptr, IID_IUnknown,
                                         reinterpret_cast<void**>(&instance))) ||
        !instance)
        return false;
    CComPtr<ITEVComponentProtocol> protocol;
    if (FAILED(instance.QueryInterface(IID_ITEVComponentProtocol, protocol)) || !protocol)
        return false;
    CComBSTR argument(text);
    if (!argument.m_str)
        return false;
    (protocol.p->*method)(argument);
    return true;
}

} // namespace TEVComponentDesignerAfx
