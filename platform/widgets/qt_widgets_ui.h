#pragma once

#include <QString>

#include "platform/platform.h"

namespace qrn::platform {

// The window services with Qt Widgets. Every dialog is modal and has no owner window.
class QtWidgetsUi : public Ui {
public:
    // The application whose title the message boxes show; set once the platform exists.
    void setApplication(Application& app) { app_ = &app; }

    void MsgBox(const std::u16string& text) override;
    SaveChoice AskSaveChanges(const std::u16string& planName) override;
    RecoveryChoice AskRecover(const std::u16string& text) override;
    std::u16string ShowOpen(const std::u16string& initialFolder) override;
    std::u16string ShowSave(const std::u16string& initialFolder) override;
    std::u16string ShowFolder(const std::u16string& initialFolder) override;
    void OpenHelp(const std::u16string& helpFile, const std::u16string& topic) override;

private:
    QString title() const;

    Application* app_ = nullptr;
};

}  // namespace qrn::platform
