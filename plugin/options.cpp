#include "plugin/options.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/errors.h"
#include "plugin/module.h"

namespace qrn {

Options::Options(platform::Platform& platform, ModuleState& state, QWidget* parent)
    : QDialog(parent), platform_(platform), state_(state) {
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(QStringLiteral("Options"));

    Frame1 = new QGroupBox(QStringLiteral("Dossier d'ouverture/enregistrement des fichiers"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel(QStringLiteral("QRN"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    // Element 0 of the former control array OptPath, its only element: named for the array.
    OptPath = new QLineEdit(Frame1);
    OptPath->setObjectName(QStringLiteral("OptPath"));
    OptPath->setMinimumWidth(320);
    auto* line = new QHBoxLayout(Frame1);
    line->addWidget(Label1);
    line->addWidget(OptPath, 1);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Annuler"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    // "OK", "Annuler", then the folder box (the frame and the label take no focus): "OK" has
    // the focus when the dialog opens.
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, OptPath);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Options::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void Options::Form_Load() {
    OptPath->setText(QString::fromStdU16String(
        platform_.settings().GetSetting(u"MXBEdit", u"Main", u"QRNPath", u"")));
}

// Stores the text exactly as typed, the empty text included. When it cannot be stored the
// user is told and the dialog stays open, so the text is not lost.
void Options::Command1_Click() {
    try {
        platform_.settings().SaveSetting(u"MXBEdit", u"Main", u"QRNPath",
                                         OptPath->text().toStdU16String());
        LoadPlanFolder(platform_, state_);
    } catch (const Error& error) {
        platform_.ui().MsgBox(error.describe());
        return;
    }
    accept();
}

}  // namespace qrn
