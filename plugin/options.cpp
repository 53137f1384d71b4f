#include "plugin/options.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/errors.h"
#include "base/text.h"
#include "editor/settings.h"
#include "platform/qt/native_path.h"
#include "platform/widgets/screen_fit.h"
#include "plugin/plan_folder.h"

namespace qrn {

Options::Options(platform::Platform& platform, ModuleState& state, QWidget* parent)
    : QDialog(parent), platform_(platform), state_(state) {
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(QStringLiteral("Options"));

    folderFrame_ =
        new QGroupBox(QStringLiteral("Dossier d'ouverture/enregistrement des fichiers"), this);
    folderFrame_->setObjectName(QStringLiteral("Frame1"));
    folderLabel_ = new QLabel(QStringLiteral("QRN"), folderFrame_);
    folderLabel_->setObjectName(QStringLiteral("Label1"));
    // Element 0 of the former control array OptPath, its only element: named for the array.
    pathEdit_ = new QLineEdit(folderFrame_);
    pathEdit_->setObjectName(QStringLiteral("OptPath"));
    pathEdit_->setMinimumWidth(320);
    browseButton_ = new QPushButton(QStringLiteral("Parcourir..."), folderFrame_);
    browseButton_->setObjectName(QStringLiteral("Browse"));
    browseButton_->setAutoDefault(false);
    auto* line = new QHBoxLayout(folderFrame_);
    line->addWidget(folderLabel_);
    line->addWidget(pathEdit_, 1);
    line->addWidget(browseButton_);

    QGroupBox* mapFrame = buildMapSizeBox();

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("Command1"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Annuler"), this);
    cancelButton_->setObjectName(QStringLiteral("Command2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folderFrame_);
    layout->addWidget(mapFrame);
    layout->addLayout(buttons);

    // "OK", "Annuler", then the folder box (the frame and the label take no focus): "OK" has
    // the focus when the dialog opens.
    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, pathEdit_);
    setTabOrder(pathEdit_, browseButton_);
    setTabOrder(browseButton_, mapWidthEdit_);
    setTabOrder(mapWidthEdit_, mapHeightEdit_);
    okButton_->setFocus();

    connect(okButton_, &QPushButton::clicked, this, &Options::store);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    // The chosen folder goes into the field; "OK" stores the field, whatever it holds then.
    connect(browseButton_, &QPushButton::clicked, this, [this] {
        const std::u16string chosen = platform_.ui().ShowFolder(pathEdit_->text().toStdU16String());
        if (!chosen.empty()) pathEdit_->setText(QString::fromStdU16String(chosen));
    });
    load();
}

// The map's size in tiles, empty for none: two fields stored as typed.
QGroupBox* Options::buildMapSizeBox() {
    auto* mapFrame = new QGroupBox(QStringLiteral("Taille de la carte"), this);
    mapFrame->setObjectName(QStringLiteral("MapSizeFrame"));
    mapWidthEdit_ = new QLineEdit(mapFrame);
    mapWidthEdit_->setObjectName(QStringLiteral("MapWidth"));
    mapHeightEdit_ = new QLineEdit(mapFrame);
    mapHeightEdit_->setObjectName(QStringLiteral("MapHeight"));
    auto* mapLine = new QHBoxLayout(mapFrame);
    mapLine->addWidget(new QLabel(QStringLiteral("Largeur (tuiles)"), mapFrame));
    mapLine->addWidget(mapWidthEdit_);
    mapLine->addWidget(new QLabel(QStringLiteral("Hauteur (tuiles)"), mapFrame));
    mapLine->addWidget(mapHeightEdit_);

    return mapFrame;
}

void Options::load() {
    pathEdit_->setText(QString::fromStdU16String(kPlanFolderSetting.get(platform_.settings())));
    mapWidthEdit_->setText(QString::fromStdU16String(kMapWidthSetting.get(platform_.settings())));
    mapHeightEdit_->setText(QString::fromStdU16String(kMapHeightSetting.get(platform_.settings())));
}

// A folder that does not exist is said first: the user may create it, keep the text anyway or
// go back to correct it. True when the text may be stored.
bool Options::folderAccepted(const QString& typed) {
    if (typed.isEmpty() || platform_.files().FolderExists(typed.toStdU16String())) return true;
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    QStringLiteral("Le dossier « %1 » n'existe pas.").arg(typed),
                    QMessageBox::NoButton, this);
    box.setInformativeText(QStringLiteral(
        "Créez-le, gardez ce texte tel quel (les fenêtres d'ouverture partiront alors "
        "de leur dossier habituel) ou corrigez-le."));
    QPushButton* create =
        box.addButton(QStringLiteral("Créer le dossier"), QMessageBox::AcceptRole);
    QPushButton* keep = box.addButton(QStringLiteral("Garder le texte"), QMessageBox::AcceptRole);
    QPushButton* correct = box.addButton(QStringLiteral("Corriger"), QMessageBox::RejectRole);
    box.setDefaultButton(create);
    box.setEscapeButton(correct);
    platform::keepOnScreen(box);
    box.exec();
    if (box.clickedButton() == keep) return true;
    if (box.clickedButton() == create) {
        if (QDir().mkpath(platform::resolveNativePath(typed))) return true;
        platform_.ui().MsgBox(u"Le dossier " + quotedFileName(typed.toStdU16String()) +
                              u" n'a pas pu être créé ; rien n'a été enregistré.");
        return false;
    }
    pathEdit_->setFocus();
    return false;
}

// Stores the text exactly as typed, the empty text included, once folderAccepted. When the
// text cannot be stored the user is told and the dialog stays open, so the text is not lost.
void Options::store() {
    if (!folderAccepted(pathEdit_->text())) return;
    try {
        kPlanFolderSetting.set(platform_.settings(), pathEdit_->text().toStdU16String());
        LoadPlanFolder(platform_, state_);
        kMapWidthSetting.set(platform_.settings(), mapWidthEdit_->text().toStdU16String());
        kMapHeightSetting.set(platform_.settings(), mapHeightEdit_->text().toStdU16String());
    } catch (const Error& error) {
        platform_.ui().MsgBox(error.describe());
        return;
    }
    accept();
}

}  // namespace qrn
