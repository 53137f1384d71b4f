#pragma once

#include <string_view>

#include "core/placement_list.h"

namespace qrn {

class Catalogue;

// The rows of a pasted text, whichever form it has: JSON rows, one a line, when its first line
// begins with '{' (read by JsonRowReader, as `qrnplan write` reads them; a row without
// "building" gets its catalogue entry's display name); otherwise plan lines or tab-separated
// values (readPastedText in planfile/row_text_forms.h). Empty lines are passed over except in
// plan lines. A text that does not read throws the first bad line's failure, its line (from 1)
// filled in.
PlacementList::Rows readPastedRows(std::u16string_view text, const Catalogue& catalogue);

}  // namespace qrn
