#include "host/plugin_loader.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "platform/widgets/component_registry.h"

namespace qrn::host {

namespace {

const QString kLibraryName = QStringLiteral("libQRNPlg.so");

QString hex(QrnResult code) {
    return QStringLiteral("0x%1").arg(static_cast<quint32>(code), 8, 16, QLatin1Char('0'));
}

}  // namespace

QString PluginLoader::locate(const QString& programFolder) {
    const QDir folder(programFolder);
    const QStringList candidates = {
        platform::registeredLibrary(QStringLiteral(QRNPLG_CLASS_NAME)),
        folder.filePath(kLibraryName),
        folder.filePath(QStringLiteral("../lib/qrnplg/") + kLibraryName),
    };
    for (const QString& candidate : candidates)
        if (!candidate.isEmpty() && QFileInfo(candidate).isFile())
            return QFileInfo(candidate).absoluteFilePath();
    return {};
}

bool PluginLoader::load(const QString& path) {
    library_.setFileName(path);
    if (!library_.load()) {
        error_ = QStringLiteral("Chargement du plugin impossible : %1").arg(library_.errorString());
        return false;
    }
    register_ = reinterpret_cast<QrnDllRegisterServerFn>(library_.resolve("DllRegisterServer"));
    unregister_ =
        reinterpret_cast<QrnDllUnregisterServerFn>(library_.resolve("DllUnregisterServer"));
    getClassObject_ =
        reinterpret_cast<QrnDllGetClassObjectFn>(library_.resolve("DllGetClassObject"));
    canUnload_ = reinterpret_cast<QrnDllCanUnloadNowFn>(library_.resolve("DllCanUnloadNow"));
    if (register_ == nullptr || unregister_ == nullptr || getClassObject_ == nullptr ||
        canUnload_ == nullptr) {
        error_ = QStringLiteral("« %1 » n'est pas un plugin QRN : une fonction d'entrée manque.")
                     .arg(path);
        return false;
    }
    return true;
}

QrnResult PluginLoader::registerIfNeeded() {
    const QString registered = platform::registeredLibrary(QStringLiteral(QRNPLG_CLASS_NAME));
    if (!registered.isEmpty() &&
        QFileInfo(registered).canonicalFilePath() == QFileInfo(fileName()).canonicalFilePath())
        return QRN_S_OK;
    return register_();
}

QWidget* PluginLoader::createControl(QWidget* parent) {
    QrnClassObject* classObject = nullptr;
    QrnResult result = getClassObject_(QRNPLG_CLASS_NAME, &classObject);
    if (result < 0) {
        error_ = QStringLiteral("Le plugin ne fournit pas la classe %1 (code %2).")
                     .arg(QStringLiteral(QRNPLG_CLASS_NAME), hex(result));
        return nullptr;
    }
    void* control = nullptr;
    result = classObject->CreateInstance(classObject, parent, &control);
    classObject->Release(classObject);
    if (result < 0) {
        error_ = QStringLiteral("Création du contrôle impossible (code %1).").arg(hex(result));
        return nullptr;
    }
    return static_cast<QWidget*>(control);
}

}  // namespace qrn::host
