#pragma once

class QWidget;

namespace qrn::platform {

// Keeps a window wholly on one screen each time it is shown: no larger than the screen's
// available area (its frame included) and moved inside it. The screen is the one that shows
// the window's parent, else the active window's, else its own. Any size or place set before
// (a remembered one, a dialog centred on its parent) is kept when it fits.
void keepOnScreen(QWidget& window);

// Fits window now, as keepOnScreen does at each showing.
void fitOnScreen(QWidget& window);

}  // namespace qrn::platform
