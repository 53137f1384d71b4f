#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/placement_row.h"

namespace simdjson::dom {
class parser;
}

namespace qrn::cli {

// Makes the row of one input line of `qrnplan write`: a JSON object with "index" (a whole
// number, or a text the writer takes as one) and "cells" (an array of six texts); other keys
// are ignored, and of a key given twice the last counts. Any other line throws a qrn::Error
// that says why. The row's building text is empty: the writer does not read it.
class RowParser {
public:
    RowParser();
    ~RowParser();
    RowParser(const RowParser&) = delete;
    RowParser& operator=(const RowParser&) = delete;

    PlacementRow parse(std::string_view line);

private:
    std::unique_ptr<simdjson::dom::parser> parser_;
    std::vector<char> padded_;  // the line, followed by the parser's padding
    std::u16string cells_;      // the six texts one after another
    std::shared_ptr<const std::u16string> noBuilding_;
};

}  // namespace qrn::cli
