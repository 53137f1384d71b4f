#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/placement_list.h"

namespace qrn {

// text with case and accents set aside for "Rechercher": "Écurie" and "ecurie" fold alike
// (letters of Windows-1252 and Latin-1; ß becomes "ss", Æ and Œ their small letters; other
// characters stay).
std::u16string foldForFind(std::u16string_view text);

// "Rechercher": the rows whose building holds the text, case and accents aside, or with a
// cell that is exactly the text. An empty text finds nothing.
class RowFinder {
public:
    // Finds every match in list; the list is not kept.
    RowFinder(const PlacementList& list, std::u16string_view text);

    int count() const { return int(matches_.size()); }
    // The matches, top to bottom.
    const std::vector<int>& matches() const { return matches_; }
    // The first match after from (or before it, backwards), wrapping round the list; from
    // may be 0 (before the first row). None without matches.
    std::optional<int> next(int from) const;
    std::optional<int> previous(int from) const;

private:
    std::vector<int> matches_;
};

}  // namespace qrn
