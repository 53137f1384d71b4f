#pragma once

#include <string>

namespace qrn {

class Catalogue;
class PlacementList;

inline constexpr int kCellWidth = 10;
inline constexpr int kPlanIdWidth = 15;

// MakeQRNFile: the whole plan text of the list, one line a row: the six cells padded with
// spaces to 10 characters, the plan identifier padded to 15, the plan tail, CR LF. Fails with
// InvalidArgument (a cell over 10 or an identifier over 15 characters, or a value holding a CR
// or LF, which would split its line) or IndexError (an index
// outside 0 to 1000), naming the row, the column and the text; the list is not touched.
std::u16string MakeQRNFile(const PlacementList& list, const Catalogue& catalogue);

}  // namespace qrn
