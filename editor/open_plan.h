#pragma once

#include <string>

namespace qrn {

namespace platform {
class Platform;
}
class Catalogue;
class QRN;

// Reads the plan at file into window, a window just shown (catalogue is the one its load
// filled), as "Ouvrir"
// would: a plan that cannot be opened leaves the window's list as it was, a plan read only in
// part keeps the rows before the bad line without a file name; either is said in a message.
// For plans given from outside the window: the host's command line, the file manager.
void openPlan(platform::Platform& platform, const Catalogue& catalogue, QRN& window,
              const std::u16string& file);

}  // namespace qrn
