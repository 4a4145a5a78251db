#pragma once
// One instance of the component protocol handler. Instances hold nothing themselves: the
// pushes store into the class's shared state and Serve answers from it.
#include "platform/com/ComObject.h"
#include "platform/web/InternetProtocolLite.h"
#include "protocol/TEVComponentProtocol.h"

namespace tevprotocol {

class CComponentProtocol final : public ITEVComponentProtocol,
                                 public IInternetProtocolLite,
                                 public tev::ComRefCount {
public:
    HRESULT QueryInterface(REFIID riid, void** object) override;
    TEV_IMPLEMENT_REFCOUNT

    HRESULT SetBaseFolder(BSTR folder) override;
    HRESULT SetUserDefinedXml(BSTR xml) override;
    HRESULT SetDataXml(BSTR xml) override;
    HRESULT SetExtendedXmlText(BSTR fragment) override;

    // "about:props.xml" gives the properties document; any other name a file below the base
    // folder.
    HRESULT Serve(BSTR url, BSTR* contentType, BSTR* content) override;
};

} // namespace tevprotocol
