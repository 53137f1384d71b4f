#pragma once

#include "cli/command.h"

namespace qrn::cli {

extern const Command catalogueCommand;
extern const Command readCommand;
extern const Command writeCommand;
extern const Command checkCommand;
extern const Command imageCommand;

}  // namespace qrn::cli
