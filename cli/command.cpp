#include "cli/command.h"

#include "base/text.h"

namespace qrn::cli {

std::u16string pathArgument(const std::string& word) {
    return decodeFileName(word);
}

void rejectAges(const Arguments& args, const char* subcommand) {
    if (args.ages)
        throw UsageError(std::string("l'option --ages ne vaut que pour catalogue, pas pour ") +
                         subcommand);
}

}  // namespace qrn::cli
