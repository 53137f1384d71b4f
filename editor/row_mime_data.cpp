#include "editor/row_mime_data.h"

#include <QClipboard>
#include <QMimeData>
#include <QStringView>

#include "planfile/row_text_forms.h"
#include "rowjson/pasted_rows.h"

namespace qrn {

namespace {

QByteArray utf8(const std::u16string& text) {
    return QStringView(text.data(), qsizetype(text.size())).toUtf8();
}

PlacementList::Rows readUtf8(const QByteArray& bytes, const Catalogue& catalogue) {
    return readPastedRows(QString::fromUtf8(bytes).toStdU16String(), catalogue);
}

}  // namespace

QMimeData* rowsMimeData(const PlacementList::Rows& rows, const Catalogue& catalogue) {
    auto* data = new QMimeData;
    data->setText(QString::fromStdU16String(copiedPlanLines(rows, catalogue)));
    data->setData(kTabSeparatedType, utf8(copiedTabSeparated(rows)));
    data->setData(kExactRowsType, utf8(copiedExactRows(rows)));
    return data;
}

void copyRows(QClipboard& clipboard, const PlacementList::Rows& rows, const Catalogue& catalogue) {
    clipboard.setMimeData(rowsMimeData(rows, catalogue));
}

PlacementList::Rows pastedRows(const QMimeData& data, const Catalogue& catalogue) {
    if (data.hasFormat(kExactRowsType)) return readUtf8(data.data(kExactRowsType), catalogue);
    if (data.hasText()) return readPastedRows(data.text().toStdU16String(), catalogue);
    if (data.hasFormat(kTabSeparatedType)) return readUtf8(data.data(kTabSeparatedType), catalogue);
    return {};
}

}  // namespace qrn
