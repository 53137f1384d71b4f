#pragma once

// The small component runtime behind the plug-in library's four exports on Linux (see
// platform/qrnplg.h). The library hands it its registration data (the class name and how to
// make a control); the runtime registers the class for the user, makes class objects and
// controls, and reports whether the library is in use.

#include "platform/qrnplg.h"
#include "platform/widgets/component_class.h"

namespace qrn::platform {

QrnResult registerServer(const ComponentClass& cls);
QrnResult unregisterServer(const ComponentClass& cls);
QrnResult getClassObject(const ComponentClass& cls, const char* className,
                         QrnClassObject** classObject);
QrnResult canUnloadNow();

}  // namespace qrn::platform
