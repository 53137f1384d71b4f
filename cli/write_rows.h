#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/placement_row.h"
#include "planfile/plan_writer.h"

namespace qrn::cli {

// The rows to be written, kept small: their cell texts one after another in blocks, and for
// each row where its texts start, their lengths and its index; 16 bytes a row besides the
// texts. Nothing is moved as the store grows.
class RowStore {
public:
    // A cell of over 255 characters is kept cut to 255: check the rows before keeping them,
    // the writer refuses such a cell.
    void add(const std::array<std::u16string_view, kCellCount>& cells, int index);
    long count() const { return long(rows_.size()); }
    // The row at position, from 1.
    PlanRowView row(long position) const;

private:
    static constexpr std::size_t kBlockSize = 64 * 1024;
    struct Row {
        const char16_t* start;
        std::array<std::uint8_t, kCellCount> sizes;
        std::int16_t index;
    };
    std::vector<std::unique_ptr<char16_t[]>> blocks_;
    std::size_t used_ = kBlockSize;  // in the last block
    std::deque<Row> rows_;
};

}  // namespace qrn::cli
