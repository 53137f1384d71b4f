#pragma once

#include "editor/module_state.h"
#include "platform/platform.h"

namespace qrn {

// The game's data folder in its default installation, used as the plan folder when the user
// has set none and it exists. Written as Windows names it: the platform finds it in the Wine
// prefix.
inline constexpr char16_t kDefaultPlanFolder[] =
    u"c:\\program files\\microsoft games\\age of empires\\data";

// Sets state.planFolder from the setting MXBEdit / Main / QRNPath, or to the default folder
// when the setting is empty and that folder exists. A stored folder is kept as it is.
void LoadPlanFolder(platform::Platform& platform, ModuleState& state);

}  // namespace qrn
