#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace qrn {

class Catalogue;
class PlacementList;
class PlacementRow;
namespace platform {
class FileSystem;
class TextStream;
}  // namespace platform

// What is left of str after its first token, the space after it and every space that follows.
// Without a space str comes back whole.
std::u16string_view delnextspaces(std::u16string_view str);

// Tokens 1 to 7 of a plan line as the reader takes them: each token runs up to the next space,
// and delnextspaces steps to the one after it; the seventh must be followed by a space too.
// Returns how many were found: fewer than seven and the line cannot be read.
std::size_t splitPlanLine(std::u16string_view line, std::array<std::u16string_view, 7>& tokens);

// Takes each row as the reader makes it.
using RowConsumer = std::function<void(PlacementRow&& row)>;

// One plan line as the reader understands it: its six values and the catalogue entry its plan
// identifier names. The values point into the line and last until the next line is read.
struct PlanLine {
    std::array<std::u16string_view, 6> cells;
    int index = 0;
};
using LineConsumer = std::function<void(const PlanLine& line)>;

// readQRN without the rows: hands each line's values and entry to consume, for callers that
// pass the values on and keep nothing. The same lines are read and refused.
long readQRNLines(platform::TextStream& stream, const std::u16string& file,
                  const Catalogue& catalogue, const LineConsumer& consume);

// Reads the plan lines of stream, from its first line, and hands their rows to consume in
// order; returns how many. A line that cannot be read throws, naming file and the line, once
// the rows of the lines before it have been handed over.
long readQRN(platform::TextStream& stream, const std::u16string& file, const Catalogue& catalogue,
             const RowConsumer& consume);

// openQRN: replaces the list with the rows of the plan file and returns how many it read.
// When the file cannot be opened the list keeps its rows. A line that cannot be read throws
// (naming the file, the line and the reason) with the list holding the rows of the lines
// before it.
int openQRN(const std::u16string& file, PlacementList& list, const Catalogue& catalogue,
            platform::FileSystem& files);

}  // namespace qrn
