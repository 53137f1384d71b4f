#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include <QString>

#include "cli/arguments.h"

namespace qrn {
class Catalogue;
class Error;
namespace platform {
class Application;
class FileSystem;
}  // namespace platform
}  // namespace qrn

namespace qrn::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a data or file failure
inline constexpr int kExitUsage = 2;

// The services a subcommand works with.
struct Services {
    platform::FileSystem& files;
    platform::Application& app;
};

// A subcommand: its name, its --help text and what runs it. run() returns the exit status and
// throws UsageError for a command line it cannot run.
struct Command {
    const char* name;
    const char* help;
    int (*run)(const Arguments& args, Services& services);
};

// A file name from the command line, its bytes decoded reversibly (decodeFileName).
std::u16string pathArgument(const std::string& word);

// Loads the catalogue as an editor window's load step does: --catalogue FILE, else QRN.txt
// beside the program, else the installed layout's <program folder>/../lib/qrnplg/QRN.txt.
// Throws the loader's qrn::Error.
void loadCatalogue(Catalogue& catalogue, const Arguments& args, Services& services);
// The same, saying the loader's error on stderr and returning false instead of throwing.
bool loadCatalogueOrSay(Catalogue& catalogue, const Arguments& args, Services& services);

// Throws UsageError when --ages was given: only catalogue takes it.
void rejectAges(const Arguments& args, const char* subcommand);

inline QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// A JSON value of the tool's output: a whole number or a text.
using JsonValue = std::variant<long long, std::u16string_view>;
// One JSON object on one line of stdout, UTF-8, its keys in the order given, written as the
// tool's documentation shows them: {"index": 0, "name": "Maison"}.
using JsonFields = std::vector<std::pair<const char*, JsonValue>>;
void printJsonLine(const JsonFields& fields);

// The bytes on their way to stdout, gathered and written in large blocks. Append whole lines,
// then call lineAppended(); finishOutput() writes what is left.
std::string& pendingOutput();
void lineAppended();
// "FILE:LINE: message" (without ":LINE" when line is 0) on stderr.
void printError(std::u16string_view file, long line, std::u16string_view message);
// The error's own file and line, else fallbackFile.
void printError(const Error& error, std::u16string_view fallbackFile = {});
// Flushes stdout; false when some of the output could not be written, said once on stderr with
// the system's reason.
bool finishOutput();

}  // namespace qrn::cli
