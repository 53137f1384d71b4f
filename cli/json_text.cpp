#include "cli/json_text.h"

#include <charconv>

namespace qrn::cli {

namespace {

// What an ASCII character becomes: 0 itself, 'u' a \u00XX escape, else the letter after the
// backslash.
constexpr std::array<char, 128> makeEscapes() {
    std::array<char, 128> table{};
    for (int c = 0; c < 0x20; ++c) table[c] = 'u';
    table['\b'] = 'b';
    table['\t'] = 't';
    table['\n'] = 'n';
    table['\f'] = 'f';
    table['\r'] = 'r';
    table['"'] = '"';
    table['\\'] = '\\';
    return table;
}
constexpr std::array<char, 128> kEscapes = makeEscapes();
constexpr char kHex[] = "0123456789abcdef";

char* putEscape(char* out, unsigned code) {
    *out++ = '\\';
    *out++ = 'u';
    *out++ = kHex[(code >> 12) & 0xF];
    *out++ = kHex[(code >> 8) & 0xF];
    *out++ = kHex[(code >> 4) & 0xF];
    *out++ = kHex[code & 0xF];
    return out;
}

}  // namespace

void appendJsonString(std::string& out, std::u16string_view text) {
    // At most six bytes a character (an escape), and the quotes.
    const std::size_t start = out.size();
    out.resize(start + text.size() * 6 + 2);
    char* p = out.data() + start;
    *p++ = '"';
    const char16_t* s = text.data();
    const char16_t* const end = s + text.size();
    while (s != end) {
        const unsigned c = *s++;
        if (c < 0x80) {
            const char escape = kEscapes[c];
            if (escape == 0) {
                *p++ = char(c);
            } else if (escape == 'u') {
                p = putEscape(p, c);
            } else {
                *p++ = '\\';
                *p++ = escape;
            }
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (c < 0xD800 || c > 0xDFFF) {
            *p++ = char(0xE0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (c < 0xDC00 && s != end && *s >= 0xDC00 && *s <= 0xDFFF) {
            const unsigned code = 0x10000 + ((c - 0xD800) << 10) + (unsigned(*s++) - 0xDC00);
            *p++ = char(0xF0 | (code >> 18));
            *p++ = char(0x80 | ((code >> 12) & 0x3F));
            *p++ = char(0x80 | ((code >> 6) & 0x3F));
            *p++ = char(0x80 | (code & 0x3F));
        } else {
            p = putEscape(p, c);
        }
    }
    *p++ = '"';
    out.resize(std::size_t(p - out.data()));
}

void appendJsonNumber(std::string& out, long long value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void appendRowLine(std::string& out, int index, std::string_view building,
                   const std::array<std::u16string_view, 6>& cells) {
    out += "{\"index\": ";
    appendJsonNumber(out, index);
    out += ", \"building\": ";
    out += building;
    out += ", \"cells\": [";
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c > 0) out += ',';
        appendJsonString(out, cells[c]);
    }
    out += "]}\n";
}

}  // namespace qrn::cli
