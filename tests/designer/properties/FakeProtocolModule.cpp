// A module with the handler's file name that does not serve the handler: built without
// TEV_EXPORT_CLASS_OBJECT it lacks DllGetClassObject; built with it, it refuses every class.
#include "platform/com/ComTypes.h"

#ifdef TEV_EXPORT_CLASS_OBJECT
extern "C" HRESULT DllGetClassObject(REFCLSID, REFIID, void** object) {
    if (object)
        *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}
#else
extern "C" int TevUnrelatedExport() {
    return 1;
}
#endif
