#include "cli/write_rows.h"

#include <algorithm>

namespace qrn::cli {

void RowStore::add(const std::array<std::u16string_view, kCellCount>& cells, int index) {
    Row row{nullptr, {}, std::int16_t(index)};
    std::size_t total = 0;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        row.sizes[c] = std::uint8_t(std::min<std::size_t>(cells[c].size(), 255));
        total += row.sizes[c];
    }
    if (kBlockSize - used_ < total) {
        blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(kBlockSize));
        used_ = 0;
    }
    char16_t* out = blocks_.back().get() + used_;
    row.start = out;
    for (std::size_t c = 0; c < cells.size(); ++c)
        out = std::copy_n(cells[c].data(), row.sizes[c], out);
    used_ += total;
    rows_.push_back(row);
}

PlanRowView RowStore::row(long position) const {
    const Row& row = rows_[std::size_t(position - 1)];
    PlanRowView view;
    const char16_t* text = row.start;
    for (std::size_t c = 0; c < row.sizes.size(); ++c) {
        view.cells[c] = {text, row.sizes[c]};
        text += row.sizes[c];
    }
    view.index = row.index;
    return view;
}

}  // namespace qrn::cli
