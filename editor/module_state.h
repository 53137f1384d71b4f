#pragma once

#include <QPointer>
#include <QString>
#include <string>
#include <vector>

#include "core/catalogue.h"
#include "document/autosave.h"

namespace qrn {

class QRN;

// The Options dialog and the About box, opened from an editor window's "Plugin" menu.
class PluginDialogs {
public:
    virtual ~PluginDialogs() = default;
    virtual void showOptions() = 0;
    virtual void showAbout() = 0;
};

// What every editor window of one thread shares: the catalogue, the plan folder and the
// list of opened editor windows. Held weakly: a closed window leaves an empty slot.
struct ModuleState {
    Catalogue catalogue;
    std::u16string planFolder;
    std::vector<QPointer<QRN>> EditorWindows{QPointer<QRN>()};
    PluginDialogs* dialogs = nullptr;
    // Where editor windows keep copies of unsaved plans (empty: the user's default folder),
    // and how often they write them.
    QString recoveryFolder;
    int autosaveIntervalMs = Autosave::kDefaultIntervalMs;
};

}  // namespace qrn
