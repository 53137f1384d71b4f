#include "base/codepage.h"

#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/errors.h"
#include "base/text.h"

namespace qrn {

namespace {

// Bytes 0x80 to 0x9F; the rest of the code page equals the first 256 code points.
constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

constexpr std::array<char16_t, 256> makeDecodeTable() {
    std::array<char16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) table[i] = static_cast<char16_t>(i);
    for (unsigned i = 0; i < kHighControls.size(); ++i) table[0x80 + i] = kHighControls[i];
    return table;
}

constexpr std::array<char16_t, 256> kDecode = makeDecodeTable();

// The byte of a character, or -1 when the code page has none.
int byteOf(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return int(0x80 + i);
    return -1;
}

std::u16string hexCode(std::uint32_t code) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string digits;
    for (; code != 0 || digits.size() < 4; code >>= 4)
        digits.insert(digits.begin(), kDigits[code & 0xF]);
    return u"U+" + digits;
}

// Names the character at text[pos]: a surrogate pair is one character with one code.
[[noreturn]] void throwUnencodable(std::u16string_view text, std::size_t pos) {
    std::u16string shown(1, text[pos]);
    std::uint32_t code = text[pos];
    bool high = code >= 0xD800 && code <= 0xDBFF;
    if (high && pos + 1 < text.size() && text[pos + 1] >= 0xDC00 && text[pos + 1] <= 0xDFFF) {
        shown += text[pos + 1];
        code = 0x10000 + ((code - 0xD800) << 10) + (text[pos + 1] - 0xDC00u);
    }
    throw InvalidArgument(u"le caractère " + quoted(shown) + u" (" + hexCode(code) +
                          u"), en position " + decimal(static_cast<long long>(pos) + 1) +
                          u", ne peut pas s'écrire en Windows-1252");
}

}  // namespace

char16_t decodeByte(unsigned char byte) {
    return kDecode[byte];
}

std::u16string decodeWindows1252(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = kDecode[static_cast<unsigned char>(bytes[i])];
    return text;
}

bool isWindows1252(std::u16string_view text) {
    for (const char16_t c : text)
        if (c >= 0x80 && byteOf(c) < 0) return false;
    return true;
}

std::string encodeWindows1252(std::u16string_view text) {
    std::string out;
    encodeWindows1252(text, out);
    return out;
}

void encodeWindows1252(std::u16string_view text, std::string& out) {
    const std::size_t start = out.size();
    const std::size_t size = text.size();
    const char16_t* source = text.data();
    out.resize(start + size);
    char* dest = out.data() + start;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Plan text is plain ASCII nearly always: eight characters at a time while they are.
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    for (; i + 8 <= size; i += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(block, high), _mm_setzero_si128())) !=
            0xFFFF)
            break;
        _mm_storel_epi64(reinterpret_cast<__m128i*>(dest + i), _mm_packus_epi16(block, block));
    }
#endif
    for (; i < size; ++i) {
        const char16_t c = source[i];
        const int byte = c < 0x80 ? c : byteOf(c);
        if (byte < 0) {
            out.resize(start);
            throwUnencodable(text, i);
        }
        dest[i] = static_cast<char>(byte);
    }
}

}  // namespace qrn
