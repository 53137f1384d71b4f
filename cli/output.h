#pragma once

// Standard output and standard error: JSON lines gathered and written in large blocks, errors
// as FILE:LINE: message.

#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace qrn {
class Error;
}

namespace qrn::cli {

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
