#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace qrn {

// The six value columns of a row, in file order.
enum class Column : int { X = 0, Y, N, S, E, O };
inline constexpr int kCellCount = 6;
// "X", "Y", "N", "S", "E", "O".
std::u16string_view columnName(Column c);

// A row's catalogue index as it was stored: a number for rows made by adding or inserting, the
// decimal text of the number for rows read from a plan file. Both name the same entry.
class CatalogueIndex {
public:
    static CatalogueIndex number(std::int16_t value) { return CatalogueIndex(value, false); }
    // The decimal text of value, as the plan reader stores it.
    static CatalogueIndex text(std::int16_t value) { return CatalogueIndex(value, true); }
    // A text taken by its value as the writer takes it: optional sign, decimal digits and
    // surrounding spaces. Not a number: TypeMismatch; outside -32768..32767: Overflow.
    static CatalogueIndex parse(std::u16string_view text);

    std::int16_t value() const { return value_; }
    bool isText() const { return isText_; }
    // The stored text for a text index, the decimal text of the number otherwise.
    std::u16string toText() const;
    bool operator==(const CatalogueIndex&) const = default;

private:
    CatalogueIndex(std::int16_t value, bool isText) : value_(value), isText_(isText) {}
    std::int16_t value_;
    bool isText_;
};

// The six cell texts of a row one after another. Coordinates and offsets are a few digits, so
// the texts nearly always fit inside the row itself; longer ones go to the heap.
class CellBuffer {
public:
    CellBuffer() = default;
    // size characters, to be filled through data().
    explicit CellBuffer(std::size_t size);
    CellBuffer(const CellBuffer& other);
    CellBuffer(CellBuffer&&) noexcept = default;
    CellBuffer& operator=(const CellBuffer& other);
    CellBuffer& operator=(CellBuffer&&) noexcept = default;

    char16_t* data() { return heap_ ? heap_.get() : inline_.data(); }
    const char16_t* data() const { return heap_ ? heap_.get() : inline_.data(); }
    std::size_t size() const { return size_; }
    std::u16string_view view() const { return {data(), size_}; }

private:
    static constexpr std::size_t kInline = 12;
    std::uint32_t size_ = 0;
    std::array<char16_t, kInline> inline_{};
    std::unique_ptr<char16_t[]> heap_;
};

// One placement row: the building text shown in "Bâtiment", the six texts X, Y, N, S, E, O and
// the catalogue index. Texts are stored as given, never checked or trimmed. The cells share one
// buffer, inside the row when short, and building texts are shared between rows, so a million
// rows stay small.
class PlacementRow {
public:
    PlacementRow(std::u16string_view building, const std::array<std::u16string_view, 6>& cells,
                 CatalogueIndex index);
    // Shares an already interned building text.
    PlacementRow(std::shared_ptr<const std::u16string> building,
                 const std::array<std::u16string_view, 6>& cells, CatalogueIndex index);

    const std::u16string& building() const { return *building_; }
    std::u16string_view cell(Column c) const;
    std::u16string_view cell(int c) const { return cell(Column(c)); }
    CatalogueIndex index() const { return index_; }

    bool operator==(const PlacementRow& other) const;

private:
    void setCells(const std::array<std::u16string_view, 6>& cells);

    std::shared_ptr<const std::u16string> building_;
    CellBuffer cells_;                   // the six texts one after another
    std::array<std::uint32_t, 5> ends_;  // end of cells 0 to 4 in cells_
    CatalogueIndex index_;
};

}  // namespace qrn
