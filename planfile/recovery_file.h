#pragma once

#include <optional>
#include <string>

#include "core/placement_list.h"
#include "platform/platform.h"

namespace qrn {

// A window's unsaved plan as the recovery folder keeps it: the file the window had open and
// every row exactly, a cell that the plan writer would refuse included; and, when the window
// showed the plan as text and it was changed there, that text exactly (the rows are then the
// list as it was before the text view). The file's digest is what the file held when the window
// last read or wrote it (none in a copy of an older version, or of a plan without a file).
struct RecoveredPlan {
    std::u16string file;
    std::optional<std::u16string> text;
    PlacementList::Rows rows;
    std::optional<platform::FileDigest> stamp = std::nullopt;
};

// Writes the plan to path, replacing what was there only once all is written. The text is
// JSON Lines in ASCII: {"file": "..."}, {"stamp": "SIZE SHA256"} when the file's digest is
// known ({"stamp": ""}: there was no file), {"text": "..."} when there is a text, then one row a
// line, as qrnplan prints them
// ({"index": N, "building": "...", "cells": [...]}, a text index written as "N"); every
// character outside printable ASCII is a \uXXXX escape, so the 8-bit file holds any text.
void writeRecovery(const std::u16string& path, const std::u16string& file,
                   const PlacementList::Rows& rows, platform::FileSystem& files,
                   const std::optional<std::u16string>& text = std::nullopt,
                   const std::optional<platform::FileDigest>& stamp = std::nullopt);

// The same text in pieces, for a writer that takes the rows a few at a time: the first line,
// then each row's line appended to out.
std::u16string recoveryHeader(const std::u16string& file,
                              const std::optional<std::u16string>& text = std::nullopt,
                              const std::optional<platform::FileDigest>& stamp = std::nullopt);
void appendRecoveryRow(std::u16string& out, const PlacementRow& row);

// Reads what writeRecovery wrote. Throws InvalidArgument naming the file and line of anything
// else.
RecoveredPlan readRecovery(const std::u16string& path, platform::FileSystem& files);
// The same from a stream opened elsewhere; errors name path.
RecoveredPlan readRecovery(platform::TextStream& stream, const std::u16string& path);

}  // namespace qrn
