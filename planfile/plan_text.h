#pragma once

#include <string>
#include <string_view>

#include "core/placement_list.h"

namespace qrn {

class Catalogue;

// The rows of a plan text, read by the plan reader's rules as if the text were a plan file:
// lines end at CR LF, LF or CR, and a line end after the last line adds no line. Throws the
// reader's error, naming the line (from 1) but no file.
PlacementList::Rows readPlanText(std::u16string_view text, const Catalogue& catalogue);

// Line n of text (from 1) without its line end; empty past the last line.
std::u16string_view lineOf(std::u16string_view text, long n);

}  // namespace qrn
