#pragma once

#include <string>

namespace qrn {

class Catalogue;
class PlacementList;
namespace platform {
class FileSystem;
}

// Saves the list's plan text as the whole content of the file at path. The text is built
// before the file is touched and the file is replaced only once everything has been written,
// so a failure leaves the disk as it was. Throws the writer's error (naming the row and
// column), an InvalidArgument naming the row and column of a cell that Windows-1252 cannot
// hold, or a FileError naming the file.
void savePlan(const std::u16string& path, const PlacementList& list, const Catalogue& catalogue,
              platform::FileSystem& files);

// Throws InvalidArgument for the first cell of the list that Windows-1252 cannot hold, naming
// its row and column; returns when every cell can be written.
void checkEncodable(const PlacementList& list);

}  // namespace qrn
