#pragma once

#include <string>

namespace qrn {

// The French reason for a system error number (errno), for messages: "plus de place sur le
// disque" for ENOSPC. A number without its own text is "erreur système N".
std::u16string systemReason(int error);

}  // namespace qrn
