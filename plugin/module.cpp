#include "plugin/module.h"

#include "platform/qrnplg.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_translations.h"
#include "platform/widgets/component_class.h"
#include "platform/widgets/qt_widgets_ui.h"
#include "plugin/plg.h"
#include "plugin/plugin_dialogs.h"

namespace qrn {

namespace {

struct ThreadModule {
    platform::QtWidgetsUi ui;
    platform::QtPlatform platform{ui};
    ModuleState state;
    PluginDialogBoxes dialogs{platform, state};

    ThreadModule() {
        ui.setApplication(platform.app());
        // Qt's own dialogs speak French in every window of the module, once for all of them.
        platform::installQtTranslations();
        state.dialogs = &dialogs;
    }
};

ThreadModule& threadModule() {
    thread_local ThreadModule module;
    return module;
}

QWidget* createPlg(QWidget* parent) {
    return new Plg(threadPlatform(), threadModuleState(), parent);
}

// The class identifier is fixed once and for all: hosts and registrations keep it.
const platform::ComponentClass kPlgClass{QRNPLG_CLASS_NAME,
                                         "{DBF10EA4-B05D-4FDD-B236-88FBB1364982}", &createPlg};

}  // namespace

platform::Platform& threadPlatform() {
    return threadModule().platform;
}

ModuleState& threadModuleState() {
    return threadModule().state;
}

const platform::ComponentClass& plgComponentClass() {
    return kPlgClass;
}

}  // namespace qrn
