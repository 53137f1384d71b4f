#pragma once

namespace qrn::platform {

// Qt's own French texts (standard buttons, file dialogs and their questions), loaded from Qt's
// translations folder and installed in the application once, whoever asks first: the host
// or the plug-in's first window. False when the French catalogue is not there; Qt then
// speaks English in its own dialogs.
bool installQtTranslations();

}  // namespace qrn::platform
