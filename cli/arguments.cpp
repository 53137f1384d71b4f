#include "cli/arguments.h"

#include <string_view>

#include "base/text.h"

namespace qrn::cli {

namespace {

// Stores the value of a "--name VALUE" or "--name=VALUE" option; false when word is not it.
bool takeValue(std::string_view name, const std::vector<std::string>& words, std::size_t& i,
               std::optional<std::string>& value) {
    const std::string_view word = words[i];
    if (word.substr(0, name.size()) != name) return false;
    if (word.size() > name.size() && word[name.size()] != '=') return false;
    if (value) throw UsageError("option " + std::string(name) + " donnée deux fois");
    if (word.size() > name.size()) {
        value = std::string(word.substr(name.size() + 1));
    } else if (i + 1 < words.size()) {
        value = words[++i];
    } else {
        throw UsageError("option " + std::string(name) + " sans valeur");
    }
    return true;
}

}  // namespace

std::string quotedWord(const std::string& word) {
    return toUtf8(quoted(displayName(decodeFileName(word))));
}

Arguments parseArguments(const std::vector<std::string>& words) {
    Arguments args;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word == "-" || word.empty() || word[0] != '-') {
            args.operands.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "-h") {
            args.help = true;
        } else if (word == "--version") {
            args.version = true;
        } else if (word == "--force") {
            args.force = true;
        } else if (!takeValue("--catalogue", words, i, args.catalogue) &&
                   !takeValue("--ages", words, i, args.ages) &&
                   !takeValue("--width", words, i, args.width) &&
                   !takeValue("-o", words, i, args.output)) {
            throw UsageError("option inconnue " + quotedWord(word));
        }
    }
    return args;
}

}  // namespace qrn::cli
