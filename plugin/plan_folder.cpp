#include "plugin/plan_folder.h"

#include "editor/settings.h"

namespace qrn {

void LoadPlanFolder(platform::Platform& platform, ModuleState& state) {
    state.planFolder = kPlanFolderSetting.get(platform.settings());
    if (state.planFolder.empty() && platform.files().FolderExists(kDefaultPlanFolder))
        state.planFolder = kDefaultPlanFolder;
}

}  // namespace qrn
