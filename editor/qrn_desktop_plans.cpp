// Plans that come from the desktop: files dropped on the window, and "Fichier > Fichiers
// récents", the plans last opened or saved.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMetaMethod>
#include <QStatusBar>

#include "base/errors.h"
#include "base/text.h"
#include "editor/qrn.h"
#include "editor/recent_files.h"
#include "platform/platform.h"

namespace qrn {

void QRN::openDropped(const QStringList& files) {
    if (files.isEmpty() || !leaveTextView(u"Ouvrir") || !maybeSave()) return;
    openPath(files.first().toStdU16String());
    if (files.size() == 1) return;
    if (isSignalConnected(QMetaMethod::fromSignal(&QRN::plansToOpenElsewhere)))
        emit plansToOpenElsewhere(files.mid(1));
    else  // a window on its own opens one plan: the others are named, not lost silently
        statusBar()->showMessage(QStringLiteral("Un seul plan ouvert ; non ouverts : ") +
                                 QDir::toNativeSeparators(files.mid(1).join(u", ")));
}

void QRN::fillRecentFiles() {
    QMenu* menu = menus_.recentFiles;
    menu->clear();
    std::vector<std::u16string> files;
    try {
        files = RecentFiles(platform_.settings()).files();
    } catch (const Error&) {
        // An unreadable store shows as an empty list; keeping the next plan says why.
    }
    menu->setEnabled(!files.empty());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString file = QString::fromStdU16String(files[i]);
        const QString name =
            QString::fromStdU16String(displayName(QFileInfo(file).fileName().toStdU16String()));
        // "&1 plan.qrn": its digit is its key; the folder shows in its tooltip.
        QAction* item = menu->addAction(u'&' + QString::number(i + 1) + u' ' + name);
        item->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        item->setToolTip(QDir::toNativeSeparators(file));
        item->setStatusTip(item->toolTip());
        connect(item, &QAction::triggered, this, [this, file] { openRecent(file); });
    }
    if (files.empty()) return;
    menu->addSeparator();
    QAction* clear = menu->addAction(QStringLiteral("&Effacer la liste"));
    clear->setObjectName(QStringLiteral("ClearRecentFiles"));
    connect(clear, &QAction::triggered, this, [this] {
        try {
            RecentFiles(platform_.settings()).clear();
        } catch (const Error& e) {
            statusBar()->showMessage(QStringLiteral("La liste des fichiers récents n'a pas pu "
                                                    "être effacée : ") +
                                     QString::fromStdU16String(e.describe()));
        }
    });
}

void QRN::openRecent(const QString& file) {
    // Gone since: nothing to ask about, the entry goes and the plan stays as it is.
    if (!QFileInfo::exists(file)) {
        QString said = QStringLiteral("« %1 » n'existe plus ; retiré des fichiers récents.")
                           .arg(QDir::toNativeSeparators(file));
        try {
            RecentFiles(platform_.settings()).remove(file.toStdU16String());
        } catch (const Error& e) {
            said = QStringLiteral("« %1 » n'existe plus. ").arg(QDir::toNativeSeparators(file)) +
                   QString::fromStdU16String(e.describe());
        }
        statusBar()->showMessage(said, 10000);
        return;
    }
    if (!leaveTextView(u"Ouvrir") || !maybeSave()) return;
    openPath(file.toStdU16String());
}

void QRN::rememberRecent(const std::u16string& file) {
    try {
        RecentFiles(platform_.settings())
            .add(QFileInfo(QString::fromStdU16String(file)).absoluteFilePath().toStdU16String());
    } catch (const Error& e) {
        statusBar()->showMessage(
            QStringLiteral("La liste des fichiers récents n'a pas pu être gardée : ") +
            QString::fromStdU16String(e.describe()));
    }
}

}  // namespace qrn
