#pragma once

#include <QLibrary>
#include <QString>

#include "platform/qrnplg.h"

class QWidget;

namespace qrn::host {

// The host's side of the plug-in library: found and loaded at run time, reached only through
// its four exports.
class PluginLoader {
public:
    // The library to load: the one registered for the control class when that file exists,
    // else libQRNPlg.so beside the program, else in ../lib/qrnplg/ from the program's folder.
    // Empty when none exists.
    static QString locate(const QString& programFolder);

    // Loads the library and resolves its exports; false, with error() set, when it cannot.
    bool load(const QString& path);
    // Registers the library when the control class is not registered to this very file.
    QrnResult registerIfNeeded();
    // A new control in parent, or null with error() set.
    QWidget* createControl(QWidget* parent);

    QrnResult registerServer() { return register_(); }
    QrnResult unregisterServer() { return unregister_(); }
    QrnResult canUnloadNow() { return canUnload_(); }
    QrnResult getClassObject(const char* className, QrnClassObject** classObject) {
        return getClassObject_(className, classObject);
    }

    QString fileName() const { return library_.fileName(); }
    const QString& error() const { return error_; }

private:
    // Never unloaded: windows of the library may outlive the host's own.
    QLibrary library_;
    QString error_;
    QrnDllRegisterServerFn register_ = nullptr;
    QrnDllUnregisterServerFn unregister_ = nullptr;
    QrnDllGetClassObjectFn getClassObject_ = nullptr;
    QrnDllCanUnloadNowFn canUnload_ = nullptr;
};

}  // namespace qrn::host
