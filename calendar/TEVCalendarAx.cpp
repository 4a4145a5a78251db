// The module TEVCalendarAx: class objects for the calendar designer control and its
// self-registration under the classes root of the user's registry store.
#include "calendar/TEVCalendarDesigner.h"
#include "platform/com/ControlRegistrar.h"

namespace {

// OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
// OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST
constexpr uint32_t kMiscStatus = 131473;

const tev::ControlClassInfo kCalendarDesignerClass = {
    CLSID_TEVCalendarDesigner,
    "TEVCalendarDesigner Class",
    "TEVCalendarAx.TEVCalendarDesigner.KVTR1000100.1",
    "TEVCalendarAx.TEVCalendarDesigner",
    APPID_TEVCalendarAx,
    "TEVCalendarAx",
    "TEVCalendarAx.so",
    "Apartment",
    kMiscStatus,
    107,
    LIBID_TEVCalendarAxLib,
    "1.0",
};

} // namespace

#define TEV_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

TEV_MODULE_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (clsid != CLSID_TEVCalendarDesigner)
        return CLASS_E_CLASSNOTAVAILABLE;
    return tev::ClassFactory::Create(
        [] { return static_cast<ITEVCalendarDesigner*>(new CTEVCalendarDesigner); }, riid, object);
}

TEV_MODULE_EXPORT HRESULT DllRegisterServer() {
    const std::string module = tev::ModulePathOf(reinterpret_cast<const void*>(&DllRegisterServer));
    if (module.empty())
        return SELFREG_E_CLASS;
    return tev::RegisterControlClass(kCalendarDesignerClass, module);
}

TEV_MODULE_EXPORT HRESULT DllUnregisterServer() {
    return tev::UnregisterControlClass(kCalendarDesignerClass);
}
