#include "planfile/json_row.h"

#include <algorithm>
#include <array>

#include "base/errors.h"

namespace qrn {

namespace {

constexpr char16_t kHex[] = u"0123456789abcdef";

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
    out += u"{\"index\": ";
    if (row.index().isText())
        appendJsonString(out, row.index().toText());
    else
        out += row.index().toText();
    out += u", \"building\": ";
    appendJsonString(out, row.building());
    out += u", \"cells\": [";
    for (int c = 0; c < kCellCount; ++c) {
        if (c > 0) out += u',';
        appendJsonString(out, row.cell(c));
    }
    out += u"]}";
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
