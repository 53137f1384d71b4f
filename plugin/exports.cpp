// The library's four exports. Each hands the library's registration data to the component
// runtime and returns its answer; the plug-in's own work lives elsewhere.

#include "platform/qrnplg.h"
#include "platform/widgets/component_runtime.h"
#include "plugin/module.h"

extern "C" {

QRNPLG_API QrnResult DllRegisterServer(void) {
    return qrn::platform::registerServer(qrn::plgComponentClass());
}

QRNPLG_API QrnResult DllUnregisterServer(void) {
    return qrn::platform::unregisterServer(qrn::plgComponentClass());
}

QRNPLG_API QrnResult DllGetClassObject(const char* className, QrnClassObject** classObject) {
    return qrn::platform::getClassObject(qrn::plgComponentClass(), className, classObject);
}

QRNPLG_API QrnResult DllCanUnloadNow(void) {
    return qrn::platform::canUnloadNow();
}
}
