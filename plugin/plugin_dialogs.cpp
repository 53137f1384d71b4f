#include "plugin/plugin_dialogs.h"

#include <memory>

#include "platform/widgets/screen_fit.h"
#include "plugin/about_frm.h"
#include "plugin/options.h"

namespace qrn {

namespace {

// Shows the dialog held in slot, made by make when the slot is empty, and destroys it when it
// closes.
template <typename Make>
void showShared(QPointer<QDialog>& slot, Make make) {
    if (slot) {
        slot->raise();
        slot->activateWindow();
        return;
    }
    std::unique_ptr<QDialog> dialog = make();
    slot = dialog.get();
    platform::keepOnScreen(*dialog);
    dialog->exec();
}

}  // namespace

void PluginDialogBoxes::showOptions() {
    showShared(options_, [this] { return std::make_unique<Options>(platform_, state_); });
}

void PluginDialogBoxes::showAbout() {
    showShared(about_, [] { return std::make_unique<AboutFrm>(); });
}

}  // namespace qrn
