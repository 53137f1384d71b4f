// The library's four exports on Windows, named and typed as COM asks (QRNPlg.def lists them).
// Each hands the library's registration data to the component runtime and returns its answer;
// the plug-in's own work lives elsewhere.

#include <windows.h>

#include "platform/win/com_runtime.h"
#include "plugin/module.h"

extern "C" {

STDAPI DllRegisterServer(void);
STDAPI DllUnregisterServer(void);

STDAPI DllRegisterServer(void) {
    return qrn::platform::com::registerServer(qrn::plgComponentClass());
}

STDAPI DllUnregisterServer(void) {
    return qrn::platform::com::unregisterServer(qrn::plgComponentClass());
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* object) {
    return qrn::platform::com::getClassObject(qrn::plgComponentClass(), classId, iid, object);
}

STDAPI DllCanUnloadNow(void) {
    return qrn::platform::com::canUnloadNow();
}
}
