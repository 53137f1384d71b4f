#include "platform/widgets/qt_widgets_ui.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "platform/qt/native_path.h"
#include "platform/widgets/help_opener.h"

namespace qrn::platform {

namespace {

QString startFolder(const std::u16string& initialFolder) {
    if (initialFolder.empty()) return {};
    return resolveNativePath(QString::fromStdU16String(initialFolder));
}

}  // namespace

void QtWidgetsUi::MsgBox(const std::u16string& text) {
    const QString title =
        QString::fromStdU16String(app_ != nullptr ? app_->Title() : std::u16string(u"QRNPlg"));
    QMessageBox box(QMessageBox::NoIcon, title, QString::fromStdU16String(text), QMessageBox::Ok);
    box.exec();
}

// No filter, no default extension, no title: the chosen name is returned as the user gave it.
std::u16string QtWidgetsUi::ShowOpen(const std::u16string& initialFolder) {
    return QFileDialog::getOpenFileName(nullptr, QString(), startFolder(initialFolder))
        .toStdU16String();
}

std::u16string QtWidgetsUi::ShowSave(const std::u16string& initialFolder) {
    return QFileDialog::getSaveFileName(nullptr, QString(), startFolder(initialFolder))
        .toStdU16String();
}

void QtWidgetsUi::OpenHelp(const std::u16string& helpFile, const std::u16string& topic) {
    const HelpPlan plan = planHelp(resolveNativePath(QString::fromStdU16String(helpFile)),
                                   QString::fromStdU16String(topic), findHelpViewer);
    switch (plan.kind) {
        case HelpPlan::Kind::Viewer:
            if (QProcess::startDetached(plan.program, plan.arguments)) return;
            break;
        case HelpPlan::Kind::Page:
            if (QDesktopServices::openUrl(QUrl::fromLocalFile(plan.page))) return;
            break;
        case HelpPlan::Kind::Missing:
            break;
    }
    MsgBox(plan.message.toStdU16String());
}

}  // namespace qrn::platform
