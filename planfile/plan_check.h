#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/errors.h"

namespace qrn {

class Catalogue;
class PlacementRow;
namespace platform {
class FileSystem;
}

// Something of a plan that would not come back the same after saving and opening again, or
// the line at which reading stopped; or, as a warning, a value that comes back but that the
// game would not read as meant (core/game_reading.h).
struct PlanProblem {
    long line = 0;  // the plan line, from 1; 0 when the file could not be opened
    std::u16string column;
    std::u16string message;
    bool warning = false;
};

// The problems of a row, in column order: a value longer than its width (the writer refuses
// it), every value that would not read back (readBackProblems), and the warning for a value
// that has neither but that the game would not read as meant.
std::vector<PlanProblem> rowProblems(const PlacementRow& row, const Catalogue& catalogue);

// The problems of each catalogue entry's plan identifier (over 15 characters, shared by
// several entries), found once per entry: a long plan names the same few entries again and
// again.
class PlanIdProblems {
public:
    explicit PlanIdProblems(const Catalogue& catalogue);
    const std::vector<PlanProblem>& of(int index);

private:
    const Catalogue& catalogue_;
    std::vector<std::optional<std::vector<PlanProblem>>> problems_;
};

// Takes each problem as it is found.
using ProblemConsumer = std::function<void(const PlanProblem& problem)>;

// Reads the plan as "Ouvrir" does, one line at a time, and hands every problem of its rows to
// report in line order as the lines are read; nothing of the plan is kept. When reading stops
// early, the reader's error is reported last (as a problem at its line) and returned.
std::optional<Error> checkPlan(const std::u16string& plan, const Catalogue& catalogue,
                               PlanIdProblems& idProblems, platform::FileSystem& files,
                               const ProblemConsumer& report);

}  // namespace qrn
