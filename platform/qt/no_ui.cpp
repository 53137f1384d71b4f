#include "platform/qt/no_ui.h"

#include <iostream>

#include "base/errors.h"
#include "base/text.h"

namespace qrn::platform {

void NoUi::MsgBox(const std::u16string& text) {
    std::cerr << toUtf8(text) << std::endl;
}

void NoUi::OpenHelp(const std::u16string& helpFile, const std::u16string& /*topic*/) {
    throw FileError(helpFile, u"l'aide ne peut pas s'afficher, ce programme n'a pas de fenêtre");
}

}  // namespace qrn::platform
