#pragma once

#include <string>
#include <string_view>

namespace qrn {

class Catalogue;
class PlacementList;
namespace platform {
class FileSystem;
}

// What is left of str after its first token, the space after it and every space that follows.
// Without a space str comes back whole.
std::u16string delnextspaces(std::u16string_view str);

// openQRN: replaces the list with the rows of the plan file. When the file cannot be opened
// the list keeps its rows. A line that cannot be read throws (naming the file, the line and
// the reason) with the list holding the rows of the lines before it.
void openQRN(const std::u16string& file, PlacementList& list, const Catalogue& catalogue,
             platform::FileSystem& files);

}  // namespace qrn
