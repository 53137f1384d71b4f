#pragma once

#include <QString>
#include <initializer_list>

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
    TextLeaveChoice AskLeaveText(const std::u16string& text) override;
    OverwriteChoice AskOverwrite(const std::u16string& text) override;
    OverwriteChoice AskOverwriteReadOnly(const std::u16string& text) override;
    ReloadChoice AskReload(const std::u16string& text) override;
    WriteAnywayChoice AskWriteAnyway(const std::u16string& text) override;
    std::u16string ShowOpen(const std::u16string& initialFolder) override;
    std::u16string ShowSave(const std::u16string& initialFolder) override;
    std::u16string ShowFolder(const std::u16string& initialFolder) override;
    void OpenHelp(const std::u16string& helpFile, const std::u16string& topic) override;

private:
    struct Button {
        QString text;
        int role;  // QMessageBox::ButtonRole
        bool isDefault = false;
        bool isEscape = false;
    };
    QString title() const;
    // A question with these buttons, in order: the position of the one chosen.
    int ask(int icon, const QString& text, std::initializer_list<Button> buttons) const;

    Application* app_ = nullptr;
};

}  // namespace qrn::platform
