#pragma once

// The three forms copied rows take on the clipboard, and the reading of a pasted text. Every
// form is written whatever the rows hold: a value a save would refuse is copied as it is.

#include <string>
#include <string_view>

#include "core/placement_list.h"

namespace qrn {

class Catalogue;

// The columns' titles of the tab-separated form, as the list shows them.
inline constexpr std::u16string_view kTabSeparatedHeader =
    u"Bâtiment\tX\tY\tDécalage N\tDécalage S\tDécalage E\tDécalage O";

// For people (text/plain): the rows' plan lines as the text view shows them, CR LF after
// each. A value over its width is written whole, unpadded; an index outside the catalogue
// gets an empty identifier and tail.
std::u16string copiedPlanLines(const PlacementList::Rows& rows, const Catalogue& catalogue);
// For spreadsheets: kTabSeparatedHeader, then a line a row: the building text and the six
// values, separated by tabs, LF after each. Values are not quoted.
std::u16string copiedTabSeparated(const PlacementList::Rows& rows);
// For another window: one JSON row a line (planfile/json_row.h), LF after each; every text
// and how the index was stored come back exactly.
std::u16string copiedExactRows(const PlacementList::Rows& rows);

// The rows of a pasted text that is not JSON rows (those are rowjson/pasted_rows.h's): plan
// lines, read by the plan reader's rules (the building found by its plan identifier); and when
// those do not read and the text holds a tab, tab-separated values, the header line optional,
// the building found by its display name with case and accents aside, empty lines passed over.
// A text that does not read throws the first bad line's failure, its line (from 1) filled in.
PlacementList::Rows readPastedText(std::u16string_view text, const Catalogue& catalogue);

}  // namespace qrn
