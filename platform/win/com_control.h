#pragma once

// The COM objects of the plug-in's control class: the class factory DllGetClassObject hands
// out, and the control object it makes.

#include <objbase.h>

namespace qrn::platform {
struct ComponentClass;
}

namespace qrn::platform::com {

// A new class factory (IClassFactory) for cls, its reference count at one; null when out of
// memory. Every factory, object and lock keeps the library in use (componentInUse).
IClassFactory* newClassFactory(const ComponentClass& cls);

}  // namespace qrn::platform::com
