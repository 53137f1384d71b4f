#pragma once

#include <string>

#include "platform/platform.h"
#include "plugin/module_state.h"

namespace qrn {

namespace platform {
struct ComponentClass;
}

// The game's data folder in its default installation, used as the plan folder when the user
// has set none and it exists. Written as Windows names it: the platform finds it in the Wine
// prefix.
inline constexpr char16_t kDefaultPlanFolder[] =
    u"c:\\program files\\microsoft games\\age of empires\\data";

// Sets state.planFolder from the setting MXBEdit / Main / QRNPath, or to the default folder
// when the setting is empty and that folder exists. A stored folder is kept as it is.
void LoadPlanFolder(platform::Platform& platform, ModuleState& state);

// The platform and the module state of the calling thread, made on first use and kept while
// the library is loaded. Every control and editor window of a thread shares them.
platform::Platform& threadPlatform();
ModuleState& threadModuleState();

// The library's one control class as the component runtime registers and makes it.
const platform::ComponentClass& plgComponentClass();

}  // namespace qrn
