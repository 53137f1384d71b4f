#pragma once

#include "platform/platform.h"

namespace qrn::platform {

// The window services for a program without windows: messages go to stderr, the file
// dialogs answer as if cancelled, and the help cannot be shown.
class NoUi : public Ui {
public:
    void MsgBox(const std::u16string& text) override;
    // Nobody to ask: changes are kept (the caller stops), recovered plans wait for later, and a
    // file changed on disk or read-only is neither overwritten nor reloaded, and rows that would
    // not read back are not saved.
    SaveChoice AskSaveChanges(const std::u16string&) override { return SaveChoice::Cancel; }
    RecoveryChoice AskRecover(const std::u16string&) override { return RecoveryChoice::Ignore; }
    TextLeaveChoice AskLeaveText(const std::u16string&) override { return TextLeaveChoice::Cancel; }
    OverwriteChoice AskOverwrite(const std::u16string&) override { return OverwriteChoice::Cancel; }
    OverwriteChoice AskOverwriteReadOnly(const std::u16string&) override {
        return OverwriteChoice::Cancel;
    }
    ReloadChoice AskReload(const std::u16string&) override { return ReloadChoice::Ignore; }
    WriteAnywayChoice AskWriteAnyway(const std::u16string&) override {
        return WriteAnywayChoice::Cancel;
    }
    std::u16string ShowOpen(const std::u16string&) override { return {}; }
    std::u16string ShowSave(const std::u16string&) override { return {}; }
    std::u16string ShowFolder(const std::u16string&) override { return {}; }
    void OpenHelp(const std::u16string& helpFile, const std::u16string& topic) override;
};

}  // namespace qrn::platform
