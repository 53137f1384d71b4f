#pragma once

// JSON text for the tool's output, written by hand: one pass over each text, nothing allocated
// but the output's own growth. The bytes are those of Qt's compact JSON writer, which the
// tool's output has always had: UTF-8; '"' and '\' escaped with a backslash; \b \t \n \f \r;
// the other characters below U+0020 as \u00XX with lower-case hex digits; every other
// character as its UTF-8 bytes (U+007F included), except an unpaired surrogate, which is
// written as its \uXXXX escape.

#include <array>
#include <string>
#include <string_view>

namespace qrn::cli {

// text as a quoted JSON string.
void appendJsonString(std::string& out, std::u16string_view text);
void appendJsonNumber(std::string& out, long long value);

// One row of `qrnplan read`, with its line end:
// {"index": N, "building": "...", "cells": ["X","Y","N","S","E","O"]}
// building is the building text already as a JSON string (appendJsonString).
void appendRowLine(std::string& out, int index, std::string_view building,
                   const std::array<std::u16string_view, 6>& cells);

}  // namespace qrn::cli
