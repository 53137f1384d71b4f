#pragma once

#include "editor/module_state.h"
#include "platform/platform.h"

namespace qrn {

namespace platform {
struct ComponentClass;
}

// The composition root of the library: the platform and the module state of the calling
// thread, made on first use and kept while the library is loaded. Every control and editor
// window of a thread shares them.
platform::Platform& threadPlatform();
ModuleState& threadModuleState();

// The library's one control class as the component runtime registers and makes it: a Plg on
// the calling thread's platform and module state.
const platform::ComponentClass& plgComponentClass();

}  // namespace qrn
