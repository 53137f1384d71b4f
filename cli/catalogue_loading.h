#pragma once

// The catalogue a subcommand works with.

#include "cli/command.h"

namespace qrn {
class Catalogue;
}

namespace qrn::cli {

// Loads the catalogue as an editor window's load step does: --catalogue FILE, else QRN.txt
// beside the program, else the installed layout's <program folder>/../lib/qrnplg/QRN.txt.
// Throws the loader's qrn::Error.
void loadCatalogue(Catalogue& catalogue, const Arguments& args, Services& services);
// The same, saying the loader's error on stderr and returning false instead of throwing.
bool loadCatalogueOrSay(Catalogue& catalogue, const Arguments& args, Services& services);

}  // namespace qrn::cli
