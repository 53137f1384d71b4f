#pragma once

#include <string>
#include <string_view>

namespace qrn {

// The French reason for a system error number (errno), for messages: "plus de place sur le
// disque" for ENOSPC. A number without its own text is "erreur système N".
std::u16string systemReason(int error);
// "what (reason)", as a failure names what could not be done and why: "écriture impossible
// (plus de place sur le disque)".
std::u16string withSystemReason(std::u16string_view what, int error);
// The same for a Windows error code (GetLastError): "le fichier est utilisé par un autre
// programme" for a sharing violation; a code without its own text is "erreur système Windows N".
std::u16string windowsReason(unsigned long code);
std::u16string withWindowsReason(std::u16string_view what, unsigned long code);

}  // namespace qrn
