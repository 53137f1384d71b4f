#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qrn {

// Conversions at the terminal edge and for messages. Lone surrogates become U+FFFD.
std::string toUtf8(std::u16string_view text);
// Invalid UTF-8 sequences become U+FFFD.
std::u16string fromUtf8(std::string_view text);

// Decimal text of a whole number, as the program writes numbers into texts.
std::u16string decimal(long long value);

// "« text »", the French quotation of a user's value in messages (a cell, a plan line, a word
// of the command line). A text of over kQuotedLength characters is cut there and ends in "…":
// a message never repeats a huge value whole.
inline constexpr std::size_t kQuotedLength = 40;
std::u16string quoted(std::u16string_view text);
// "« name »" for a file name: never cut, shown as displayName shows it.
std::u16string quotedFileName(std::u16string_view name);

// File names as the system gives them: bytes, most often UTF-8 but not always. A name is
// decoded reversibly, each byte that is not part of valid UTF-8 becoming the lone surrogate
// U+DC80 + byte (as Python's "surrogateescape"); encodeFileName gives the exact bytes back.
std::u16string decodeFileName(std::string_view bytes);
std::string encodeFileName(std::u16string_view name);
// The name for a message: each escaped byte shown as "\xE9".
std::u16string displayName(std::u16string_view name);

}  // namespace qrn
