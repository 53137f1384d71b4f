#pragma once

#include "platform/platform.h"

namespace qrn::platform {

// The window services for a program without windows: messages go to stderr, the file
// dialogs answer as if cancelled, and the help cannot be shown.
class NoUi : public Ui {
public:
    void MsgBox(const std::u16string& text) override;
    // Nobody to ask: changes are kept (the caller stops) and recovered plans wait for later.
    SaveChoice AskSaveChanges(const std::u16string&) override { return SaveChoice::Cancel; }
    RecoveryChoice AskRecover(const std::u16string&) override { return RecoveryChoice::Ignore; }
    std::u16string ShowOpen(const std::u16string&) override { return {}; }
    std::u16string ShowSave(const std::u16string&) override { return {}; }
    std::u16string ShowFolder(const std::u16string&) override { return {}; }
    void OpenHelp(const std::u16string& helpFile, const std::u16string& topic) override;
};

}  // namespace qrn::platform
