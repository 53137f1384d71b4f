#include "host/control_placement.h"

#include <QApplication>

#include "host/plugin_loader.h"

namespace qrn::host {

QWidget* placeControl(QWidget* parent, QString& error) {
    // Kept for the program's life: the library's windows may outlive the control.
    static PluginLoader loader;
    const QString path = PluginLoader::locate(QApplication::applicationDirPath());
    if (path.isEmpty()) {
        error = QStringLiteral(
            "Plugin introuvable : libQRNPlg.so n'est ni enregistré, ni à côté du programme, ni "
            "dans ../lib/qrnplg/.");
        return nullptr;
    }
    QWidget* control = nullptr;
    if (!loader.load(path) || loader.registerIfNeeded() < 0 ||
        (control = loader.createControl(parent)) == nullptr)
        error = loader.error().isEmpty() ? QStringLiteral("Enregistrement du plugin impossible.")
                                         : loader.error();
    return control;
}

}  // namespace qrn::host
