#pragma once

// What the plug-in library hands the component runtime of its system (the registration and the
// class objects behind the library's exports), and what keeps the library in use.

#include <QString>

class QObject;
class QWidget;

namespace qrn::platform {

// What a library tells the runtime about its one control class.
struct ComponentClass {
    // The name hosts ask for ("QRNPlg.Plg"); on Windows, the class's ProgID.
    const char* className;
    // The class's fixed identifier in registry form, "{xxxxxxxx-...}": its CLSID on Windows.
    const char* classId;
    // A new control in the host's widget; a qrn::Error or std::exception means it failed.
    QWidget* (*create)(QWidget* parent);
};

// The count of what keeps the library in use on every thread: class objects, component
// objects, locks, controls and editor windows. The library may be unloaded only at zero.
void addComponentUse();
void dropComponentUse();
bool componentInUse();

// Keeps the library in use until the object is destroyed. Controls made by a class object are
// counted already; the library adds the windows it opens.
void holdWhileAlive(QObject* object);

// The absolute path of the file that holds this code: the shared library it is linked into,
// or the program.
QString ownFilePath();

}  // namespace qrn::platform
