#pragma once

// The temporary files a save writes beside the file it replaces: ".NAME.qrnsave-XXXXXX",
// hidden, next to NAME in a listing. The saving process holds a lock on its temporary file
// from its creation until it is renamed or removed, so a temporary file nobody holds, older
// than this process, is what a save that was killed left behind.

#include <QByteArray>

namespace qrn::platform {

// A new temporary name beside the file at target (its name's bytes): NAME is cut short
// enough that the whole name stays within the system's limit, at a character's boundary.
QByteArray temporaryNameBeside(const QByteArray& target);

// Whether a file name (its bytes, without a folder) has the form of such a temporary name.
bool isTemporaryName(const QByteArray& name);

// Removes from folder the temporary files of saves that were interrupted: regular files of
// this user, with a temporary name, last written before this process started and locked by
// no one. Best effort: whatever cannot be looked at or removed is left, silently.
void removeStaleTemporaries(const QByteArray& folder);

}  // namespace qrn::platform
