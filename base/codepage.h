#pragma once

// Windows-1252, one byte a character. Every byte decodes to one character (the five bytes
// without a Windows-1252 character become U+0081, U+008D, U+008F, U+0090 and U+009D), so any
// file decodes and encodes back byte for byte.

#include <string>
#include <string_view>

namespace qrn {

char16_t decodeByte(unsigned char byte);
std::u16string decodeWindows1252(std::string_view bytes);
// True when every character of text has a byte.
bool isWindows1252(std::u16string_view text);
// Throws InvalidArgument naming the first character that has no byte, and its position.
std::string encodeWindows1252(std::u16string_view text);
// Appends the bytes of text to out; on failure out is left as it was.
void encodeWindows1252(std::u16string_view text, std::string& out);

}  // namespace qrn
