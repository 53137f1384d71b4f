#include "platform/qt/qt_settings.h"

#include <QSettings>
#include <QStringList>
#include <memory>

#include "base/errors.h"

namespace qrn::platform {

namespace {

// Qt's native store, per user: on Windows the registry key
// HKEY_CURRENT_USER\Software\APPNAME (the section a subkey, the key a value in it); elsewhere
// ~/.config/APPNAME/APPNAME.conf ($XDG_CONFIG_HOME when set), the section a group.
std::unique_ptr<QSettings> openStore(const QString& appName) {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + appName,
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, appName,
                                       appName);
#endif
}

class Store {
public:
    Store(const std::u16string& appName, const std::u16string& section)
        : settings_(openStore(QString::fromStdU16String(appName))) {
        settings_->beginGroup(QString::fromStdU16String(section));
    }
    QSettings* operator->() { return settings_.get(); }

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace

std::u16string QtSettings::GetSetting(const std::u16string& appName, const std::u16string& section,
                                      const std::u16string& key, const std::u16string& fallback) {
    Store store(appName, section);
    const QString name = QString::fromStdU16String(key);
    if (!store->contains(name)) return fallback;
    const QVariant value = store->value(name);
    // A hand-edited file may hold an unquoted list ("a, b"): keep its text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).toStdU16String();
    return value.toString().toStdU16String();
}

void QtSettings::SaveSetting(const std::u16string& appName, const std::u16string& section,
                             const std::u16string& key, const std::u16string& value) {
    Store store(appName, section);
    store->setValue(QString::fromStdU16String(key), QString::fromStdU16String(value));
    store->sync();
    if (store->status() == QSettings::NoError) return;
    const std::u16string reason = store->status() == QSettings::AccessError
                                      ? u"enregistrement du réglage impossible (accès refusé)"
                                      : u"enregistrement du réglage impossible (fichier mal formé)";
    throw FileError(store->fileName().toStdU16String(), reason);
}

}  // namespace qrn::platform
