#pragma once

// The component runtime behind the plug-in library's four exports on Windows: COM registration
// of the one control class, its class factory, and whether the library is in use (see
// platform/win/qrnplg_com.h for what a host sees).

#include <objbase.h>

namespace qrn::platform {
struct ComponentClass;
}

namespace qrn::platform::com {

HRESULT registerServer(const ComponentClass& cls);
HRESULT unregisterServer(const ComponentClass& cls);
HRESULT getClassObject(const ComponentClass& cls, REFCLSID classId, REFIID iid, void** object);
HRESULT canUnloadNow();

}  // namespace qrn::platform::com
