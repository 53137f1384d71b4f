#pragma once

#include <optional>
#include <string>

#include "core/placement_list.h"

namespace qrn {

namespace platform {
class FileSystem;
}

// A window's unsaved plan as the recovery folder keeps it: the file the window had open and
// every row exactly, a cell that the plan writer would refuse included; and, when the window
// showed the plan as text and it was changed there, that text exactly (the rows are then the
// list as it was before the text view).
struct RecoveredPlan {
    std::u16string file;
    std::optional<std::u16string> text;
    PlacementList::Rows rows;
};

// Writes the plan to path, replacing what was there only once all is written. The text is
// JSON Lines in ASCII: {"file": "..."}, {"text": "..."} when there is a text, then one row a
// line, as qrnplan prints them
// ({"index": N, "building": "...", "cells": [...]}, a text index written as "N"); every
// character outside printable ASCII is a \uXXXX escape, so the 8-bit file holds any text.
void writeRecovery(const std::u16string& path, const std::u16string& file,
                   const PlacementList::Rows& rows, platform::FileSystem& files,
                   const std::optional<std::u16string>& text = std::nullopt);

// The same text in pieces, for a writer that takes the rows a few at a time: the first line,
// then each row's line appended to out.
std::u16string recoveryHeader(const std::u16string& file,
                              const std::optional<std::u16string>& text = std::nullopt);
void appendRecoveryRow(std::u16string& out, const PlacementRow& row);

// Reads what writeRecovery wrote. Throws InvalidArgument naming the file and line of anything
// else.
RecoveredPlan readRecovery(const std::u16string& path, platform::FileSystem& files);

}  // namespace qrn
