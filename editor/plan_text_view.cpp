#include "editor/plan_text_view.h"

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextDocument>

namespace qrn {

PlanTextView::PlanTextView(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("Text7"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setAutoFillBackground(true);
}

std::u16string PlanTextView::planText() const {
    std::u16string text;
    for (const QChar c : document()->toRawText()) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n')
            text += u"\r\n";
        else
            text += char16_t(c.unicode());
    }
    return text;
}

void PlanTextView::selectLine(long n) {
    const QTextBlock block = document()->findBlockByNumber(int(n) - 1);
    if (block.isValid()) {
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    }
    setFocus();
}

}  // namespace qrn
