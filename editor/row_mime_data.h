#pragma once

#include <QString>

#include "core/placement_list.h"

class QClipboard;
class QMimeData;

namespace qrn {

class Catalogue;

// The clipboard's forms of copied rows (planfile/row_text_forms.h): the plan lines as
// text/plain, tab-separated values, and the exact rows under a type of our own, which another
// window of any host reads back cell for cell.
inline const QString kTabSeparatedType = QStringLiteral("text/tab-separated-values");
inline const QString kExactRowsType = QStringLiteral("application/x-qrnplg-rows+json");

// The three forms of rows, for the clipboard or a drag.
QMimeData* rowsMimeData(const PlacementList::Rows& rows, const Catalogue& catalogue);
void copyRows(QClipboard& clipboard, const PlacementList::Rows& rows, const Catalogue& catalogue);

// The rows data holds: the exact rows when it has them, else its text, else its
// tab-separated values (readPastedRows reads each); none when it holds no text. A text that
// does not read throws, naming its first bad line.
PlacementList::Rows pastedRows(const QMimeData& data, const Catalogue& catalogue);

}  // namespace qrn
