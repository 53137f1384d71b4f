#pragma once

#include <QString>

namespace qrn::platform {

// Where a host finds the library of a control class: per user, in
// $XDG_CONFIG_HOME/QRNPlg/components.ini, group = class name, key Library = absolute path.
// An absent class reads as the empty text.
QString registeredLibrary(const QString& className);
// Both return false when the store cannot be written.
bool registerLibrary(const QString& className, const QString& libraryPath);
bool unregisterLibrary(const QString& className);

}  // namespace qrn::platform
