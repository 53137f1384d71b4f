#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrn {

class Catalogue;
class PlacementList;

inline constexpr int kCellWidth = 10;
inline constexpr int kPlanIdWidth = 15;

// Why a value cannot go into a plan file, or none when it can.
struct CellRefusal {
    enum class Fault {
        TooLong,    // over its width
        LineBreak,  // a CR or LF, which would split its line
        Charset,    // a character Windows-1252 has no byte for
    };
    Fault fault;
    std::u16string reason;  // French, naming the text
};

// The one rule for a value of a plan line: at most width characters, no line break, every
// character in Windows-1252. The writer refuses by it and the save checks the characters by
// it, so whoever marks a value by it marks exactly what a save would refuse.
std::optional<CellRefusal> cellRefusal(std::u16string_view value, std::size_t width = kCellWidth);

// MakeQRNFile: the whole plan text of the list, one line a row: the six cells padded with
// spaces to 10 characters, the plan identifier padded to 15, the plan tail, CR LF. Fails with
// InvalidArgument (a cell over 10 or an identifier over 15 characters, or a value holding a CR
// or LF, which would split its line) or IndexError (an index
// outside 0 to 1000), naming the row, the column and the text; the list is not touched.
std::u16string MakeQRNFile(const PlacementList& list, const Catalogue& catalogue);

}  // namespace qrn
