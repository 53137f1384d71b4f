#include "planfile/json_row.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "base/errors.h"

namespace qrn {

namespace {

constexpr char16_t kHex[] = u"0123456789abcdef";

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
constexpr char kHex8[] = "0123456789abcdef";

char* putEscape(char* out, unsigned code) {
    *out++ = '\\';
    *out++ = 'u';
    *out++ = kHex8[(code >> 12) & 0xF];
    *out++ = kHex8[(code >> 8) & 0xF];
    *out++ = kHex8[(code >> 4) & 0xF];
    *out++ = kHex8[code & 0xF];
    return out;
}

// The one shape of a row in both forms; index, building and cell append their values.
template <class C>
struct RowShape;
template <>
struct RowShape<char16_t> {
    static constexpr std::u16string_view open = u"{\"index\": ", building = u", \"building\": ",
                                         cells = u", \"cells\": [", close = u"]}";
};
template <>
struct RowShape<char> {
    static constexpr std::string_view open = "{\"index\": ", building = ", \"building\": ",
                                      cells = ", \"cells\": [", close = "]}";
};

template <class C, class Index, class Building, class Cell>
void appendRowShape(std::basic_string<C>& out, Index index, Building building, Cell cell) {
    out += RowShape<C>::open;
    index();
    out += RowShape<C>::building;
    building();
    out += RowShape<C>::cells;
    for (int c = 0; c < kCellCount; ++c) {
        if (c > 0) out += C(',');
        cell(c);
    }
    out += RowShape<C>::close;
}

}  // namespace

void appendJsonString(std::u16string& out, std::u16string_view text) {
    out += u'"';
    // Most texts need no escape at all: taken whole.
    const auto plain = [](char16_t c) { return c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\'; };
    if (std::all_of(text.begin(), text.end(), plain)) {
        out += text;
        out += u'"';
        return;
    }
    for (const char16_t c : text) {
        if (c == u'"' || c == u'\\') {
            out += u'\\';
            out += c;
        } else if (c >= 0x20 && c < 0x7F) {
            out += c;
        } else {
            out += u"\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
        }
    }
    out += u'"';
}

void appendJsonRow(std::u16string& out, const PlacementRow& row) {
    appendRowShape(
        out,
        [&] {
            if (row.index().isText())
                appendJsonString(out, row.index().toText());
            else
                out += row.index().toText();
        },
        [&] { appendJsonString(out, row.building()); },
        [&](int c) { appendJsonString(out, row.cell(c)); });
}

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

void appendJsonRow(std::string& out, int index, std::string_view building,
                   const std::array<std::u16string_view, kCellCount>& cells) {
    appendRowShape(
        out, [&] { appendJsonNumber(out, index); }, [&] { out += building; },
        [&](int c) { appendJsonString(out, cells[std::size_t(c)]); });
}

void JsonLine::expect(std::u16string_view literal) {
    if (rest_.substr(0, literal.size()) != literal)
        throw InvalidArgument(u"« " + std::u16string(literal) + u" » attendu");
    rest_.remove_prefix(literal.size());
}

std::u16string JsonLine::string() {
    expect(u"\"");
    std::u16string out;
    while (!startsWith(u'"')) {
        if (rest_.empty()) throw InvalidArgument(u"texte non terminé");
        char16_t c = rest_.front();
        rest_.remove_prefix(1);
        if (c == u'\\') c = escaped();
        out += c;
    }
    rest_.remove_prefix(1);
    return out;
}

std::u16string JsonLine::number() {
    std::size_t n = 0;
    while (n < rest_.size() && (rest_[n] == u'-' || (rest_[n] >= u'0' && rest_[n] <= u'9'))) ++n;
    if (n == 0) throw InvalidArgument(u"nombre attendu");
    std::u16string out(rest_.substr(0, n));
    rest_.remove_prefix(n);
    return out;
}

void JsonLine::end() const {
    if (!rest_.empty()) throw InvalidArgument(u"texte en trop en fin de ligne");
}

char16_t JsonLine::escaped() {
    if (rest_.empty()) throw InvalidArgument(u"échappement non terminé");
    const char16_t c = rest_.front();
    rest_.remove_prefix(1);
    switch (c) {
        case u'"':
        case u'\\':
        case u'/':
            return c;
        case u'b':
            return u'\b';
        case u't':
            return u'\t';
        case u'n':
            return u'\n';
        case u'f':
            return u'\f';
        case u'r':
            return u'\r';
        default:
            break;
    }
    if (c != u'u' || rest_.size() < 4) throw InvalidArgument(u"échappement invalide");
    char16_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const char16_t h = rest_[std::size_t(i)];
        const int digit = h >= u'0' && h <= u'9'   ? h - u'0'
                          : h >= u'a' && h <= u'f' ? h - u'a' + 10
                          : h >= u'A' && h <= u'F' ? h - u'A' + 10
                                                   : -1;
        if (digit < 0) throw InvalidArgument(u"échappement invalide");
        value = char16_t(value * 16 + digit);
    }
    rest_.remove_prefix(4);
    return value;
}

PlacementRow parseJsonRow(std::u16string_view line, BuildingNames* names) {
    JsonLine p(line);
    p.expect(u"{\"index\": ");
    const bool isText = p.startsWith(u'"');
    const std::u16string indexText = isText ? p.string() : p.number();
    const CatalogueIndex parsed = CatalogueIndex::parse(indexText);
    const CatalogueIndex index =
        isText ? CatalogueIndex::text(parsed.value()) : CatalogueIndex::number(parsed.value());
    p.expect(u", \"building\": ");
    const std::u16string building = p.string();
    p.expect(u", \"cells\": [");
    std::array<std::u16string, kCellCount> cells;
    for (int c = 0; c < kCellCount; ++c) {
        if (c > 0) p.expect(u",");
        cells[std::size_t(c)] = p.string();
    }
    p.expect(u"]}");
    p.end();
    const std::array<std::u16string_view, 6> views{cells[0], cells[1], cells[2],
                                                   cells[3], cells[4], cells[5]};
    if (!names) return PlacementRow(building, views, index);
    auto& shared = (*names)[building];
    if (!shared) shared = std::make_shared<const std::u16string>(building);
    return PlacementRow(shared, views, index);
}

}  // namespace qrn
