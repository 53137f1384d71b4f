#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace qrn {

class PlacementList;
class RowFinder;

// "Rechercher" over the list: the text to find, the number of rows that match it (buildings
// with case and accents aside, cells exactly; core/row_find.h) and the buttons to go to the
// previous and the next. Enter and F3 go to the next match after the current row, Shift+F3 to
// the one before, wrapping round; Escape closes the bar and the list takes the focus back. The
// matches are sought again at each step, so that they follow the rows as they change.
class FindBar : public QWidget {
    Q_OBJECT
public:
    FindBar(const PlacementList& list, QWidget* parent = nullptr);

    // Shows the bar with its text selected, ready for typing.
    void open();
    QLineEdit* field() const { return field_; }
    // Goes to the next (or previous) match; nothing without one.
    void step(bool forward);
    // Hides the bar and says so.
    void dismiss();

signals:
    // The row at position (from 1) is the match to show.
    void found(int position);
    // The user closed the bar.
    void closed();

private:
    // Counts the matches of the text as it stands.
    void count();
    // Shows how many rows finder found for the text as it stands.
    void showCount(const RowFinder& finder);

    const PlacementList& list_;
    QLineEdit* field_;
    QLabel* count_;
};

}  // namespace qrn
