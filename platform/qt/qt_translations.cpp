#include "platform/qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qrn::platform {

bool installQtTranslations() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return false;
    // Marked on the application itself: the host and the plug-in each carry their own copy of
    // this code.
    static const QString kName = QStringLiteral("qrn-qtbase-fr");
    if (app->findChild<QTranslator*>(kName, Qt::FindDirectChildrenOnly) != nullptr) return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(kName);
    // The program speaks French whatever the system's language.
    if (!translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace qrn::platform
