#pragma once

#include <QString>

namespace qrn::platform {

// Turns a path as the user or the program gives it into a path of this system. A Windows
// drive path ("c:\program files\...", or just "c:") is looked up in the Wine prefix
// ($WINEPREFIX, else ~/.wine): drive X is the prefix's dosdevices/x: link when it exists,
// else its drive_x folder, and each name is matched against the existing entries without
// regard to case, as Windows would (an exact match wins; a name that matches nothing is kept
// as written). Any other path is returned unchanged.
QString resolveNativePath(const QString& path);

}  // namespace qrn::platform
