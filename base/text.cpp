#include "base/text.h"

namespace qrn {

namespace {

bool isHigh(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLow(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
// The lone surrogate that stands for an undecodable byte of a file name.
bool isEscapedByte(char32_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

// UTF-8 of text; a lone surrogate becomes U+FFFD, or its byte when escapes are taken back.
std::string encodeUtf8(std::u16string_view text, bool takeBackEscapes) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (isHigh(c) && i + 1 < text.size() && isLow(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else if (takeBackEscapes && isEscapedByte(c)) {
            out += char(c - 0xDC00);
            continue;
        } else if (isHigh(c) || isLow(c)) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Text of UTF-8; each byte of an invalid sequence becomes U+FFFD, or is escaped.
std::u16string decodeUtf8(std::string_view text, bool escapeBytes) {
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80           ? 0
                          : (lead >> 5) == 0x6  ? 1
                          : (lead >> 4) == 0xE  ? 2
                          : (lead >> 3) == 0x1E ? 3
                                                : -1;
        bool ok = extra >= 0 && i + std::size_t(extra) < text.size();
        char32_t c = ok ? char32_t(lead & (0x7F >> extra)) : 0;
        for (int k = 1; ok && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
            ok = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        ok = ok && c >= kMin[extra] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        if (!ok) {
            out += escapeBytes ? char16_t(0xDC00 + lead) : char16_t(0xFFFD);
            ++i;
            continue;
        }
        i += std::size_t(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
}

}  // namespace

std::string toUtf8(std::u16string_view text) {
    return encodeUtf8(text, false);
}

std::u16string fromUtf8(std::string_view text) {
    return decodeUtf8(text, false);
}

std::u16string decodeFileName(std::string_view bytes) {
    return decodeUtf8(bytes, true);
}

std::string encodeFileName(std::u16string_view name) {
    return encodeUtf8(name, true);
}

std::u16string displayName(std::u16string_view name) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (isHigh(c) && i + 1 < name.size() && isLow(name[i + 1])) {
            out += c;
            out += name[++i];
        } else if (isEscapedByte(c)) {
            out += u"\\x";
            out += kDigits[(c >> 4) & 0xF];
            out += kDigits[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::u16string decimal(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string quoted(std::u16string_view text) {
    // Counted in characters: a surrogate pair is one, and is never cut in two.
    std::size_t end = 0;
    for (std::size_t count = 0; end < text.size() && count < kQuotedLength; ++count)
        end += isHigh(text[end]) && end + 1 < text.size() && isLow(text[end + 1]) ? 2 : 1;
    std::u16string out = u"« ";
    out += text.substr(0, end);
    if (end < text.size()) out += u'…';
    out += u" »";
    return out;
}

std::u16string quotedFileName(std::u16string_view name) {
    return u"« " + displayName(name) + u" »";
}

}  // namespace qrn
