#include "platform/widgets/app_icon.h"

#include <QApplication>
#include <QWidget>

namespace qrn::platform {

QIcon applicationIcon() {
    QIcon builtIn;
    for (const int size : {16, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/qrnplg/icons/qrnplg-%1.png").arg(size),
                        QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("qrnplg"), builtIn);
}

void giveApplicationIcon(QWidget& window) {
    if (QApplication::windowIcon().isNull()) window.setWindowIcon(applicationIcon());
}

}  // namespace qrn::platform
