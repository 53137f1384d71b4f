#include "core/placement_row.h"

#include <algorithm>
#include <limits>

#include "base/errors.h"
#include "base/text.h"

namespace qrn {

std::u16string_view columnName(Column c) {
    static constexpr std::u16string_view kNames[] = {u"X", u"Y", u"N", u"S", u"E", u"O"};
    return kNames[int(c)];
}

CatalogueIndex CatalogueIndex::parse(std::u16string_view text) {
    // Taken by its value, as a 16-bit conversion of the text would: spaces around, a sign,
    // decimal digits.
    std::size_t i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    std::size_t end = text.size();
    while (end > i && text[end - 1] == u' ') --end;
    bool negative = false;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    if (i == end) throw TypeMismatch(quoted(text) + u" n'est pas un nombre");
    long long value = 0;
    for (; i < end; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            throw TypeMismatch(quoted(text) + u" n'est pas un nombre");
        value = value * 10 + (text[i] - u'0');
        if (value > 32768) break;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        for (; i < end; ++i) {
            if (text[i] < u'0' || text[i] > u'9')
                throw TypeMismatch(quoted(text) + u" n'est pas un nombre");
        }
        throw Overflow(quoted(text) + u" dépasse la capacité d'un entier de 16 bits");
    }
    return CatalogueIndex(std::int16_t(value), true);
}

std::u16string CatalogueIndex::toText() const {
    return decimal(value_);
}

PlacementRow::PlacementRow(std::u16string_view building,
                           const std::array<std::u16string_view, 6>& cells, CatalogueIndex index)
    : PlacementRow(std::make_shared<const std::u16string>(building), cells, index) {}

PlacementRow::PlacementRow(std::shared_ptr<const std::u16string> building,
                           const std::array<std::u16string_view, 6>& cells, CatalogueIndex index)
    : building_(std::move(building)), index_(index) {
    setCells(cells);
}

void PlacementRow::setCells(const std::array<std::u16string_view, 6>& cells) {
    std::size_t total = 0;
    for (const auto& c : cells) total += c.size();
    if (total > std::numeric_limits<std::uint32_t>::max())
        throw Overflow(u"les textes d'une ligne sont trop longs");
    // Sized once and filled in place: a row is made for every line of a plan file.
    cells_ = CellBuffer(total);
    char16_t* out = cells_.data();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out = std::copy(cells[i].begin(), cells[i].end(), out);
        if (i < ends_.size()) ends_[i] = std::uint32_t(out - cells_.data());
    }
}

std::u16string_view PlacementRow::cell(Column c) const {
    const auto i = std::size_t(c);
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    const std::size_t end = i < ends_.size() ? ends_[i] : cells_.size();
    return cells_.view().substr(begin, end - begin);
}

bool PlacementRow::operator==(const PlacementRow& other) const {
    return building() == other.building() && cells_.view() == other.cells_.view() &&
           ends_ == other.ends_ && index_ == other.index_;
}

CellBuffer::CellBuffer(std::size_t size) : size_(std::uint32_t(size)) {
    if (size > kInline) heap_ = std::make_unique<char16_t[]>(size);
}

CellBuffer::CellBuffer(const CellBuffer& other) : CellBuffer(other.size_) {
    std::copy_n(other.data(), size_, data());
}

CellBuffer& CellBuffer::operator=(const CellBuffer& other) {
    if (this != &other) *this = CellBuffer(other);
    return *this;
}

}  // namespace qrn
