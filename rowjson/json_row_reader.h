#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/placement_row.h"

namespace simdjson::dom {
class parser;
}

namespace qrn {

// One line's row: the texts stay valid until the reader reads the next line.
struct JsonRow {
    std::array<std::u16string_view, kCellCount> cells;
    // A JSON number is a number index; a JSON text is taken by its value as the writer takes
    // it, and kept as a text index.
    CatalogueIndex index = CatalogueIndex::number(0);
    bool hasBuilding = false;
    std::u16string_view building;
};

// Reads the row of one line of JSON text (UTF-8): an object with "index" (a whole number, or a
// text the writer takes as one), "cells" (an array of six texts) and optionally "building" (a
// text, passed over when it is not one, as `qrnplan write` always has); keys in any order, any
// whitespace between them, other keys ignored, of a key given twice the last. Any other line throws
// a qrn::Error that says why: « JSON invalide à l'octet N » for a line that is not JSON. Reused
// from line to line, it allocates only as lines grow.
class JsonRowReader {
public:
    JsonRowReader();
    ~JsonRowReader();
    JsonRowReader(const JsonRowReader&) = delete;
    JsonRowReader& operator=(const JsonRowReader&) = delete;

    JsonRow read(std::string_view line);

private:
    JsonRow readWithQt(std::string_view line);
    // The texts appended to texts_ make the row: cells first, then the building.
    JsonRow row(CatalogueIndex index, bool hasBuilding) const;

    std::unique_ptr<simdjson::dom::parser> parser_;
    std::vector<char> padded_;  // the line, followed by the parser's padding
    std::u16string texts_;      // the six cells, then the building, one after another
    std::array<std::size_t, kCellCount + 2> ends_{};
};

}  // namespace qrn
