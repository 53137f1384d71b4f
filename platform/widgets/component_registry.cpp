#include "platform/widgets/component_registry.h"

#include <QSettings>
#include <memory>

namespace qrn::platform {

namespace {

std::unique_ptr<QSettings> openStore() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("QRNPlg"), QStringLiteral("components"));
}

QString libraryKey(const QString& className) {
    return className + QStringLiteral("/Library");
}

}  // namespace

QString registeredLibrary(const QString& className) {
    return openStore()->value(libraryKey(className)).toString();
}

bool registerLibrary(const QString& className, const QString& libraryPath) {
    const auto settings = openStore();
    settings->setValue(libraryKey(className), libraryPath);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool unregisterLibrary(const QString& className) {
    const auto settings = openStore();
    settings->remove(className);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

}  // namespace qrn::platform
