#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace qrn {

class Catalogue;
class PlacementList;

// Saves the list's plan text as the whole content of the file at path. Every row is checked
// first, so a refused row touches no file; the text is then made and converted a piece at a
// time straight into the output, which replaces the file only once everything has been written,
// so a failure leaves the disk as it was. Throws the writer's error (naming the row and column),
// an InvalidArgument naming the row and column of a cell that Windows-1252 cannot hold, or a
// FileError naming the file (a ReadOnlyFileError for a read-only file, unless mode says to
// replace it anyway).
void savePlan(const std::u16string& path, const PlacementList& list, const Catalogue& catalogue,
              platform::FileSystem& files,
              platform::CreateMode mode = platform::CreateMode::Replace);

// Throws InvalidArgument for the first cell of the list that Windows-1252 cannot hold, naming
// its row and column; returns when every cell can be written.
void checkEncodable(const PlacementList& list);
// The same for the cells of one row, at position.
void checkEncodable(const std::array<std::u16string_view, 6>& cells, long position);

}  // namespace qrn
