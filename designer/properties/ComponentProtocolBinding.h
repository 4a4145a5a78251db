#pragma once
// The designer's hold on the component protocol handler: the class factory from the module
// "TEVComponentAPP.so" in the program's folder, and the push that hands it one text. The
// property grid, the template view and the preview each keep their own binding. The handler
// is optional: without the module or its export the factory stays null and every push is
// skipped silently.
#include "platform/com/ComPtr.h"
#include "protocol/TEVComponentProtocol.h"

#include <string_view>

namespace TEVComponentDesignerAfx {

class CComponentProtocolBinding {
public:
    // One of the handler's four methods, e.g. &ITEVComponentProtocol::SetDataXml.
    using Method = HRESULT (ITEVComponentProtocol::*)(BSTR);

    // Loads the module from tev::ProgramFolder() (it stays loaded) and asks it for the
    // handler's class factory.
    CComponentProtocolBinding();

    // Null when the handler is missing; the preview registers it for the "about" namespace.
    IClassFactory* Factory() const { return m_factory; }
    bool IsAvailable() const { return m_factory != nullptr; }

    // One push: a new instance, `method` called with `text`, both references released. True
    // when the call reached the handler (its result is not examined).
    bool Push(Method method, std::string_view text) const;

private:
    CComPtr<IClassFactory> m_factory;
};

} // namespace TEVComponentDesignerAfx
