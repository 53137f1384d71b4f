#pragma once

namespace qrn::platform {

// Qt's own French texts (standard buttons, file dialogs and their questions), loaded from Qt's
// translations folder and installed in the application once, whoever asks first: the host
// or the plug-in's module, when it is first used. False when the French catalogue is not there; Qt
// then speaks English in its own dialogs. The few words that catalogue lacks (the file dialogs'
// "Folder") are given by a small catalogue of our own, installed once beside it.
bool installQtTranslations();

}  // namespace qrn::platform
