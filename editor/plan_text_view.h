#pragma once

#include <QPlainTextEdit>
#include <string>

namespace qrn {

// Text7: the plan file's text, one plan line a line, to read and change by hand. It has its own
// undo for what is typed in it.
class PlanTextView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PlanTextView(QWidget* parent = nullptr);

    // The text as the user sees it, each line ended by CR LF as in a plan file. Characters that
    // toPlainText() would change (a no-break space becomes a space there) are kept.
    std::u16string planText() const;
    // Puts the cursor on line n (from 1), the line selected, and the focus here.
    void selectLine(long n);
};

}  // namespace qrn
