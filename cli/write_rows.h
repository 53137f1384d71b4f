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

namespace simdjson::dom {
class parser;
}

namespace qrn::cli {

// One input line's row: the six cell texts (valid until the next line is parsed) and the index.
struct ParsedRow {
    std::array<std::u16string_view, kCellCount> cells;
    CatalogueIndex index = CatalogueIndex::number(0);
};

// Reads the row of one input line of `qrnplan write`: a JSON object with "index" (a whole
// number, or a text the writer takes as one) and "cells" (an array of six texts); other keys
// are ignored, and of a key given twice the last counts. Any other line throws a qrn::Error
// that says why.
class RowParser {
public:
    RowParser();
    ~RowParser();
    RowParser(const RowParser&) = delete;
    RowParser& operator=(const RowParser&) = delete;

    ParsedRow parse(std::string_view line);

private:
    ParsedRow parseWithQt(std::string_view line);

    std::unique_ptr<simdjson::dom::parser> parser_;
    std::vector<char> padded_;  // the line, followed by the parser's padding
    std::u16string cells_;      // the six texts one after another
};

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
