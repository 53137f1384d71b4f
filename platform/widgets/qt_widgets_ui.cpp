#include "platform/widgets/qt_widgets_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <vector>

#include "platform/qt/native_path.h"
#include "platform/widgets/help_opener.h"
#include "platform/widgets/screen_fit.h"

namespace qrn::platform {

namespace {

QString startFolder(const std::u16string& initialFolder) {
    if (initialFolder.empty()) return {};
    return resolveNativePath(QString::fromStdU16String(initialFolder));
}

// A line too long for the box is cut in its middle rather than wrapped: a path keeps its
// beginning and its file name.
QString elideLongLines(const QString& text, const QFontMetrics& metrics) {
    const int width = metrics.averageCharWidth() * 64;
    QStringList lines =
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideMiddle, width);
    return lines.join(u'\n');
}

}  // namespace

QString QtWidgetsUi::title() const {
    return QString::fromStdU16String(app_ != nullptr ? app_->Title() : std::u16string(u"QRNPlg"));
}

void QtWidgetsUi::MsgBox(const std::u16string& text) {
    QMessageBox box(QMessageBox::NoIcon, title(), QString::fromStdU16String(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    keepOnScreen(box);
    box.exec();
}

int QtWidgetsUi::ask(int icon, const QString& text, std::initializer_list<Button> buttons) const {
    QMessageBox box(QMessageBox::Icon(icon), title(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<QPushButton*> added;
    for (const Button& b : buttons) {
        added.push_back(box.addButton(b.text, QMessageBox::ButtonRole(b.role)));
        if (b.isDefault) box.setDefaultButton(added.back());
        if (b.isEscape) box.setEscapeButton(added.back());
    }
    keepOnScreen(box);
    box.exec();
    for (std::size_t i = 0; i < added.size(); ++i)
        if (box.clickedButton() == added[i]) return int(i);
    // Closed by its title bar: the escape button's answer.
    for (std::size_t i = 0; i < added.size(); ++i)
        if (std::data(buttons)[i].isEscape) return int(i);
    return int(added.size()) - 1;
}

SaveChoice QtWidgetsUi::AskSaveChanges(const std::u16string& planName) {
    const QString text =
        QStringLiteral("Le plan « %1 » a été modifié.\nEnregistrer les modifications ?")
            .arg(QString::fromStdU16String(planName));
    const SaveChoice choices[] = {SaveChoice::Save, SaveChoice::Discard, SaveChoice::Cancel};
    return choices[ask(QMessageBox::Warning, text,
                       {{QStringLiteral("Enregistrer"), QMessageBox::AcceptRole, true, false},
                        {QStringLiteral("Ne pas enregistrer"), QMessageBox::DestructiveRole},
                        {QStringLiteral("Annuler"), QMessageBox::RejectRole, false, true}})];
}

RecoveryChoice QtWidgetsUi::AskRecover(const std::u16string& text) {
    const QString whole = QString::fromStdU16String(text);
    QMessageBox box(QMessageBox::Question, title(), QString(), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setText(elideLongLines(whole, box.fontMetrics()));
    box.setToolTip(whole);
    QPushButton* recover = box.addButton(QStringLiteral("Récupérer"), QMessageBox::AcceptRole);
    QPushButton* ignore = box.addButton(QStringLiteral("Ignorer"), QMessageBox::RejectRole);
    QPushButton* remove = box.addButton(QStringLiteral("Supprimer"), QMessageBox::DestructiveRole);
    box.setDefaultButton(recover);
    box.setEscapeButton(ignore);
    keepOnScreen(box);
    box.exec();
    if (box.clickedButton() == recover) return RecoveryChoice::Recover;
    if (box.clickedButton() == remove) return RecoveryChoice::Delete;
    return RecoveryChoice::Ignore;
}

TextLeaveChoice QtWidgetsUi::AskLeaveText(const std::u16string& text) {
    const TextLeaveChoice choices[] = {TextLeaveChoice::KeepEditing, TextLeaveChoice::Drop,
                                       TextLeaveChoice::Cancel};
    return choices[ask(
        QMessageBox::Warning, QString::fromStdU16String(text),
        {{QStringLiteral("Continuer la modification"), QMessageBox::AcceptRole, true, false},
         {QStringLiteral("Abandonner le texte"), QMessageBox::DestructiveRole},
         {QStringLiteral("Annuler"), QMessageBox::RejectRole, false, true}})];
}

OverwriteChoice QtWidgetsUi::AskOverwrite(const std::u16string& text) {
    const OverwriteChoice choices[] = {OverwriteChoice::Overwrite, OverwriteChoice::SaveAs,
                                       OverwriteChoice::Cancel};
    return choices[ask(QMessageBox::Warning, QString::fromStdU16String(text),
                       {{QStringLiteral("Écraser"), QMessageBox::DestructiveRole},
                        {QStringLiteral("Enregistrer sous..."), QMessageBox::AcceptRole, true},
                        {QStringLiteral("Annuler"), QMessageBox::RejectRole, false, true}})];
}

OverwriteChoice QtWidgetsUi::AskOverwriteReadOnly(const std::u16string& text) {
    const OverwriteChoice choices[] = {OverwriteChoice::Overwrite, OverwriteChoice::SaveAs,
                                       OverwriteChoice::Cancel};
    return choices[ask(QMessageBox::Warning, QString::fromStdU16String(text),
                       {{QStringLiteral("Écraser quand même"), QMessageBox::DestructiveRole},
                        {QStringLiteral("Enregistrer sous..."), QMessageBox::AcceptRole, true},
                        {QStringLiteral("Annuler"), QMessageBox::RejectRole, false, true}})];
}

ReloadChoice QtWidgetsUi::AskReload(const std::u16string& text) {
    const ReloadChoice choices[] = {ReloadChoice::Reload, ReloadChoice::Ignore};
    return choices[ask(QMessageBox::Question, QString::fromStdU16String(text),
                       {{QStringLiteral("Recharger"), QMessageBox::AcceptRole, true, false},
                        {QStringLiteral("Ignorer"), QMessageBox::RejectRole, false, true}})];
}

// Annuler is the default: writing a plan that cannot be opened again takes a deliberate click.
WriteAnywayChoice QtWidgetsUi::AskWriteAnyway(const std::u16string& text) {
    const WriteAnywayChoice choices[] = {WriteAnywayChoice::Write, WriteAnywayChoice::Cancel};
    return choices[ask(QMessageBox::Warning, QString::fromStdU16String(text),
                       {{QStringLiteral("Enregistrer quand même"), QMessageBox::DestructiveRole},
                        {QStringLiteral("Annuler"), QMessageBox::RejectRole, true, true}})];
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

std::u16string QtWidgetsUi::ShowFolder(const std::u16string& initialFolder) {
    return QFileDialog::getExistingDirectory(nullptr, QString(), startFolder(initialFolder))
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
            // Without a browser, or when it cannot be started, the page shows in our own window.
            if (!haveWebBrowser() || !QDesktopServices::openUrl(QUrl::fromLocalFile(plan.page)))
                showHelpWindow(plan.page);
            return;
        case HelpPlan::Kind::Missing:
            break;
    }
    MsgBox(plan.message.toStdU16String());
}

}  // namespace qrn::platform
