#pragma once

// The JSON text of one row, as the recovery copies and the clipboard's exact form hold it:
// {"index": N, "building": "...", "cells": ["X","Y","N","S","E","O"]}, a text index written
// as "N". Written in ASCII: '"' and '\' escaped with a backslash, every character outside
// printable ASCII a \uXXXX escape (lower-case hex), so an 8-bit file holds any text. Read
// back, the escapes `qrnplan read` writes (\b \t \n \f \r \/, upper-case hex) and characters
// as they are are taken too, so its rows read as well.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/placement_row.h"

namespace qrn {

void appendJsonString(std::u16string& out, std::u16string_view text);
// The row's text, without a line end.
void appendJsonRow(std::u16string& out, const PlacementRow& row);

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
