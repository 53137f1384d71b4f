#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qrn::cli {

// A command line the tool cannot run; the tool exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command line after the program's name. Options may stand before or after the operands,
// as "--name VALUE" or "--name=VALUE"; after "--" every word is an operand. The first operand
// is the subcommand.
struct Arguments {
    std::optional<std::string> catalogue;
    std::optional<std::string> ages;
    std::optional<std::string> width;   // image only
    std::optional<std::string> output;  // write only: "-o FILE"
    bool force = false;                 // write only
    bool help = false;
    bool version = false;
    std::vector<std::string> operands;
};

Arguments parseArguments(const std::vector<std::string>& words);

// "« word »" in UTF-8 for a usage message: a word of the command line, its undecodable bytes
// shown as \xE9 and cut as every quoted value is.
std::string quotedWord(const std::string& word);

}  // namespace qrn::cli
