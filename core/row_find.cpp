#include "core/row_find.h"

#include <algorithm>
#include <unordered_map>

namespace qrn {

namespace {

// What U+00C0 to U+00FF fold to; '*' for a character that stays as it is.
constexpr std::u16string_view kLatin1 =
    u"aaaaaaæceeeeiiiiðnooooo*øuuuuyþ*"
    u"aaaaaaæceeeeiiiiðnooooo*øuuuuyþy";

void fold(std::u16string& out, char16_t c) {
    if (c < 0x80) {
        out += c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
    } else if (c == u'ß') {
        out += u"ss";
    } else if (c >= 0xC0 && c <= 0xFF) {
        const char16_t f = kLatin1[std::size_t(c - 0xC0)];
        out += f == u'*' ? c : f;
    } else if (c == u'Œ') {
        out += u'œ';
    } else if (c == u'Š' || c == u'š') {
        out += u's';
    } else if (c == u'Ž' || c == u'ž') {
        out += u'z';
    } else if (c == u'Ÿ') {
        out += u'y';
    } else {
        out += c;
    }
}

}  // namespace

std::u16string foldForFind(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) fold(out, c);
    return out;
}

RowFinder::RowFinder(const PlacementList& list, std::u16string_view text) {
    if (text.empty()) return;
    const std::u16string folded = foldForFind(text);
    // Rows share their building texts: each text is folded and matched once.
    std::unordered_map<const std::u16string*, bool> buildings;
    int position = 0;
    for (const PlacementRow& row : list.rows()) {
        ++position;
        const auto [it, added] = buildings.try_emplace(&row.building(), false);
        if (added) it->second = foldForFind(row.building()).find(folded) != std::u16string::npos;
        bool match = it->second;
        for (int c = 0; c < kCellCount && !match; ++c) match = row.cell(c) == text;
        if (match) matches_.push_back(position);
    }
}

std::optional<int> RowFinder::next(int from) const {
    if (matches_.empty()) return std::nullopt;
    const auto it = std::upper_bound(matches_.begin(), matches_.end(), from);
    return it == matches_.end() ? matches_.front() : *it;
}

std::optional<int> RowFinder::previous(int from) const {
    if (matches_.empty()) return std::nullopt;
    const auto it = std::lower_bound(matches_.begin(), matches_.end(), from);
    return it == matches_.begin() ? matches_.back() : *(it - 1);
}

}  // namespace qrn
