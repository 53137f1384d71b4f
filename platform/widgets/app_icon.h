#pragma once

#include <QIcon>

namespace qrn::platform {

// The application's icon: "qrnplg" from the icon theme once installed, else the copies built
// into the program.
QIcon applicationIcon();

// Gives window the application's icon when the application has none of its own, as in a host
// that sets no icon; otherwise the window keeps the one it inherits.
void giveApplicationIcon(QWidget& window);

}  // namespace qrn::platform
