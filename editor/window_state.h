#pragma once

#include "platform/platform.h"

class QMainWindow;

namespace qrn {

// The editor window as the user left it, per user: its size, the list and map's splitter and
// ListView1's column widths. Restored when a window is made, kept when it closes; a setting
// that cannot be read is left aside, one that cannot be written is not worth a message.
void restoreWindowState(QMainWindow& window, platform::Settings& settings);
void keepWindowState(const QMainWindow& window, platform::Settings& settings);

}  // namespace qrn
