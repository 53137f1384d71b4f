#include "platform/qt/qt_translations.h"

#include "platform/qt/qt_application.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qrn::platform {

namespace {

// The words Qt's French catalogue lacks (texts Qt 6 moved to new contexts): the file dialogs'
// type column and sizes. Installed after Qt's, so asked first; every other text falls
// through to Qt's catalogue.
class MissingFrench : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        Q_UNUSED(disambiguation);
        const QLatin1String where(context), what(source);
        if (where == "QAbstractFileIconProvider") {
            if (what == "Folder") return QStringLiteral("Dossier");
            if (what == "Drive") return QStringLiteral("Lecteur");
            if (what == "File") return QStringLiteral("Fichier");
            if (what == "%1 File") return QStringLiteral("Fichier %1");
        }
        if (where == "QLocale" && what == "%n byte(s)")
            return n > 1 ? QStringLiteral("%n octets") : QStringLiteral("%n octet");
        return {};
    }
};

}  // namespace

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
    // Qt's own folder, else translations/ beside the plug-in (how it ships on Windows, where the
    // host may be any program).
    const QLocale french(QLocale::French, QLocale::France);
    const auto loadFrom = [&](const QString& folder) {
        return translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"), folder);
    };
    const bool loaded = loadFrom(QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
                        loadFrom(QString::fromStdU16String(QtApplication().Path()) +
                                 QStringLiteral("/translations"));
    if (loaded) QCoreApplication::installTranslator(translator);
    // Ours after Qt's, so that it is asked first.
    static const QString kMissing = QStringLiteral("qrn-missing-fr");
    if (app->findChild<QTranslator*>(kMissing, Qt::FindDirectChildrenOnly) == nullptr) {
        auto* missing = new MissingFrench(app);
        missing->setObjectName(kMissing);
        QCoreApplication::installTranslator(missing);
    }
    if (!loaded) delete translator;
    return loaded;
}

}  // namespace qrn::platform
