#pragma once

#include <string>
#include <string_view>

namespace qrn {

// Conversions at the terminal edge and for messages. Lone surrogates become U+FFFD.
std::string toUtf8(std::u16string_view text);
// Invalid UTF-8 sequences become U+FFFD.
std::u16string fromUtf8(std::string_view text);

// Decimal text of a whole number, as the program writes numbers into texts.
std::u16string decimal(long long value);

// "« text »", the French quotation used in messages.
std::u16string quoted(std::u16string_view text);

}  // namespace qrn
