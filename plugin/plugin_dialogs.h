#pragma once

#include <QDialog>
#include <QPointer>

#include "editor/module_state.h"
#include "platform/platform.h"

namespace qrn {

// Shows the Options dialog and the About box modally with no owner. Each exists at most once
// per thread: made when shown, destroyed when closed, so every showing starts fresh. Asking
// for a dialog that is already open brings it to the front instead of stacking a second one.
class PluginDialogBoxes : public PluginDialogs {
public:
    PluginDialogBoxes(platform::Platform& platform, ModuleState& state)
        : platform_(platform), state_(state) {}

    void showOptions() override;
    void showAbout() override;

private:
    platform::Platform& platform_;
    ModuleState& state_;
    QPointer<QDialog> options_;
    QPointer<QDialog> about_;
};

}  // namespace qrn
