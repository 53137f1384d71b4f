#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qrn {

class Catalogue;
class PlacementList;
class PlacementRow;

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

// Takes the plan text a piece at a time, in order. Pieces end at line ends.
using TextSink = std::function<void(std::u16string_view piece)>;

// One row as the writer takes it: the six cell texts and the catalogue index.
struct PlanRowView {
    std::array<std::u16string_view, 6> cells;
    int index = 0;
};
// The writer's view of a row of the list.
PlanRowView planRowView(const PlacementRow& row);
// The row at a position, from 1.
using RowSource = std::function<PlanRowView(long position)>;

// The plan text of count rows, one line a row: the six cells padded with spaces to 10
// characters, the plan identifier padded to 15, the plan tail, CR LF. Handed to sink in pieces
// of about 32,000 characters, so a plan of any length needs one piece in memory. Fails with
// InvalidArgument (a cell over 10 or an identifier over 15 characters, or a value holding a CR
// or LF, which would split its line) or IndexError (an index outside 0 to 1000), naming the
// row, the column and the text; the pieces of the rows before it have been handed over.
void writeQRN(long count, const RowSource& rows, const Catalogue& catalogue, const TextSink& sink);
// The same for the rows of the list.
void writeQRN(const PlacementList& list, const Catalogue& catalogue, const TextSink& sink);

// The plan line of a row that checkWritable takes, CR LF included: its size, and the line
// itself written at out (which has room for that many characters); returns the line's end.
std::size_t planLineSize(const PlanRowView& row, const Catalogue& catalogue);
char16_t* putPlanLine(char16_t* out, const PlanRowView& row, const Catalogue& catalogue);

// Throws what writeQRN would throw for the row at position, making no text.
void checkWritable(const PlanRowView& row, long position, const Catalogue& catalogue);

// MakeQRNFile: the whole plan text at once, as writeQRN hands it out; the list is not touched.
std::u16string MakeQRNFile(const PlacementList& list, const Catalogue& catalogue);

}  // namespace qrn
