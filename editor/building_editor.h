#pragma once

#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QStyledItemDelegate>
#include <optional>

class QSortFilterProxyModel;

namespace qrn {

class Picker;
class PickerModel;

// The building cell's editor: the picker again. Typing narrows the list below the cell to the
// names holding the text (case and accents aside) and highlights the entry the text names; Up,
// Down and the page keys move the highlight without changing the row; the delegate commits the
// highlighted entry on Enter or Tab and drops the edit on Escape.
class BuildingEditor : public QLineEdit {
    Q_OBJECT
public:
    BuildingEditor(const Picker& picker, PickerModel* entries, QWidget* parent);
    ~BuildingEditor() override;

    // Shows the entry at position (none for -1) as the edit's starting point.
    void showEntry(int position);
    // The picker position Enter takes: the highlighted entry, else the one the text names.
    std::optional<int> chosenEntry() const;
    QListView* list() const { return list_; }

signals:
    // A click in the list chose an entry.
    void picked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void narrow(const QString& text);
    void highlight(std::optional<int> position);
    void placeList();

    const Picker& picker_;
    QSortFilterProxyModel* shown_;
    // A child of the window, over the other controls, so that the list is not cut at the
    // list view's border; it never takes the focus from the text.
    QPointer<QListView> list_;
};

// Edits the building column (0) of the list with a BuildingEditor; the model is given the
// chosen picker position (Qt::EditRole). The other columns edit as text.
class BuildingDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    BuildingDelegate(const Picker& picker, PickerModel* entries, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    const Picker& picker_;
    PickerModel* entries_;
};

}  // namespace qrn
