#pragma once

// The small component runtime behind the plug-in library's four exports. The library hands it
// its registration data (the class name and how to make a control); the runtime registers the
// class for the user, makes class objects and controls, and counts what keeps the library in use.

#include <QString>

#include "platform/qrnplg.h"

class QObject;
class QWidget;

namespace qrn::platform {

// What a library tells the runtime about its one control class.
struct ComponentClass {
    const char* className;
    // A new control in the host's widget; a qrn::Error or std::exception means it failed.
    QWidget* (*create)(QWidget* parent);
};

QrnResult registerServer(const ComponentClass& cls);
QrnResult unregisterServer(const ComponentClass& cls);
QrnResult getClassObject(const ComponentClass& cls, const char* className,
                         QrnClassObject** classObject);
QrnResult canUnloadNow();

// Keeps the library in use until the object is destroyed. Controls made by a class object are
// counted already; the library adds the windows it opens.
void holdWhileAlive(QObject* object);

// The absolute path of the file that holds this code: the shared library it is linked into,
// or the program.
QString ownFilePath();

}  // namespace qrn::platform
