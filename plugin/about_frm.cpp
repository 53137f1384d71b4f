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

    titleLabel_ = addLabel(this, layout, "Label1", QStringLiteral("Plugin QRN pour MXB Editor"));
    QFont title = titleLabel_->font();
    title.setBold(true);
    titleLabel_->setFont(title);
    // The same version as "qrnplan --version": both come from the build's one number.
    addLabel(this, layout, "LabelVersion", QStringLiteral("Version " QRN_VERSION));
    creditLabel1_ =
        addLabel(this, layout, "Label2", QStringLiteral("Plugin créé par l'équipe QRNPlg"));
    creditLabel2_ = addLabel(this, layout, "Label3",
                             QStringLiteral("Bêta testeurs: les testeurs de l'équipe QRNPlg"));
    creditLabel3_ =
        addLabel(this, layout, "Label4",
                 QStringLiteral("Soutient moral (encouragements): toute l'équipe QRNPlg "
                                "et les joueurs qui bâtissent leurs villes avec ce plugin"));
    // Two lines high, as the credit it holds.
    creditLabel3_->setMinimumHeight(2 * QFontMetrics(creditLabel3_->font()).lineSpacing());
    creditLabel3_->setMinimumWidth(420);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("Command1"));
    okButton_->setDefault(true);
    layout->addWidget(okButton_, 0, Qt::AlignHCenter);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace qrn
