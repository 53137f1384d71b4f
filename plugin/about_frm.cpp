#include "plugin/about_frm.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/version.h"

namespace qrn {

namespace {

QLabel* addLabel(QWidget* parent, QVBoxLayout* layout, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

}  // namespace

AboutFrm::AboutFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutFrm"));
    setWindowTitle(QStringLiteral("A propos de..."));
    auto* layout = new QVBoxLayout(this);

    Label1 = addLabel(this, layout, "Label1", QStringLiteral("Plugin QRN pour MXB Editor"));
    QFont title = Label1->font();
    title.setBold(true);
    Label1->setFont(title);
    // The same version as "qrnplan --version": both come from the build's one number.
    addLabel(this, layout, "LabelVersion", QStringLiteral("Version " QRN_VERSION));
    Label2 = addLabel(this, layout, "Label2", QStringLiteral("Plugin créé par l'équipe QRNPlg"));
    Label3 = addLabel(this, layout, "Label3",
                      QStringLiteral("Bêta testeurs: les testeurs de l'équipe QRNPlg"));
    Label4 = addLabel(this, layout, "Label4",
                      QStringLiteral("Soutient moral (encouragements): toute l'équipe QRNPlg "
                                     "et les joueurs qui bâtissent leurs villes avec ce plugin"));
    // Two lines high, as the credit it holds.
    Label4->setMinimumHeight(2 * QFontMetrics(Label4->font()).lineSpacing());
    Label4->setMinimumWidth(420);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace qrn
