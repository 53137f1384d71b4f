#pragma once

// The JSON text of one row, the one writer of the program: the recovery copies, the clipboard's
// exact form and `qrnplan` write it (qrnplan in UTF-8, below). The paste and `qrnplan write`
// read rows with rowjson/json_row_reader.h; parseJsonRow reads only the recovery copies' own
// lines, which their writer's exact shape makes quick to read. As the
// recovery copies and the clipboard's exact form hold it:
// {"index": N, "building": "...", "cells": ["X","Y","N","S","E","O"]}, a text index written
// as "N". Written in ASCII: '"' and '\' escaped with a backslash, every character outside
// printable ASCII a \uXXXX escape (lower-case hex), so an 8-bit file holds any text. Read
// back, the escapes `qrnplan read` writes (\b \t \n \f \r \/, upper-case hex) and characters
// as they are are taken too, so its rows read as well.

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/placement_row.h"

namespace qrn {

void appendJsonString(std::u16string& out, std::u16string_view text);
// The row's text, without a line end.
void appendJsonRow(std::u16string& out, const PlacementRow& row);

// The same shape in UTF-8, as `qrnplan` prints it: the bytes of Qt's compact JSON writer,
// which the tool's output has always had: '"' and '\' escaped with a backslash; \b \t \n \f
// \r; the other characters below U+0020 as \u00XX with lower-case hex digits; every other
// character as its UTF-8 bytes (U+007F included), except an unpaired surrogate, which is
// written as its \uXXXX escape. One pass over each text, nothing allocated but the output's.
void appendJsonString(std::string& out, std::u16string_view text);
void appendJsonNumber(std::string& out, long long value);
// {"index": N, "building": "...", "cells": [...]}, without a line end; building is the
// building text already as a JSON string (appendJsonString).
void appendJsonRow(std::string& out, int index, std::string_view building,
                   const std::array<std::u16string_view, kCellCount>& cells);

// Reads a line of JSON text piece by piece; each piece that is not there throws
// InvalidArgument saying what was expected.
class JsonLine {
public:
    explicit JsonLine(std::u16string_view line) : rest_(line) {}

    void expect(std::u16string_view literal);
    bool startsWith(char16_t c) const { return !rest_.empty() && rest_.front() == c; }
    std::u16string string();
    // An optional '-' and digits, as they are.
    std::u16string number();
    // Nothing may follow.
    void end() const;

private:
    char16_t escaped();

    std::u16string_view rest_;
};

// The row of a line appendJsonRow wrote, nothing before or after it. With a names table, rows
// of the same building text share it.
using BuildingNames = std::unordered_map<std::u16string, std::shared_ptr<const std::u16string>>;
PlacementRow parseJsonRow(std::u16string_view line, BuildingNames* names = nullptr);

}  // namespace qrn
