#pragma once

#include <string>
#include <vector>

#include "planfile/plan_writer.h"

namespace qrn {

class Catalogue;
class PlacementList;

// A value of a row that would not come back as it was after saving and opening again.
struct ReadBackProblem {
    int column = 0;         // 0 to 5 the cells X to O, 6 the building (its plan identifier)
    std::u16string name;    // "X" to "O", or "identifiant de plan"
    std::u16string reason;  // French, naming the text
    // "colonne NAME : reason".
    std::u16string describe() const;
};

// The one rule for a row that reads back: the plan line the writer makes for it, split as the
// reader splits a plan line, gives the same six cells and, by its plan identifier, the same
// catalogue entry. Values the writer refuses (longer than their width) are the writer's to
// tell: they are judged as a short value would be, and a row whose entry the writer refuses
// (an index outside 0 to 1000, a plan identifier over 15 characters) is not judged at all.
//
// Every problem of the row, in column order; empty when the row reads back.
std::vector<ReadBackProblem> readBackProblems(const PlanRowView& row, const Catalogue& catalogue);
// The same, without the reasons.
bool readsBack(const PlanRowView& row, const Catalogue& catalogue);
// The positions (from 1) of the rows of the list that do not read back.
std::vector<long> rowsNotReadBack(const PlacementList& list, const Catalogue& catalogue);

}  // namespace qrn
