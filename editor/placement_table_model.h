#pragma once

#include <QAbstractTableModel>
#include <functional>

#include <optional>

#include "core/placement_list.h"
#include "planfile/read_back.h"

namespace qrn {

// Shows a PlacementList in ListView1: one row a placement row, seven columns "Bâtiment", "X",
// "Y", "Décalage N" to "Décalage O". The list is the truth; the model follows it through the
// observer and asks for nothing per row until a view paints it, so 100,000 rows stay cheap.
// A value the plan file cannot hold is marked (colours and a tool tip saying why), and so is a
// row that would not read back as it is (another colour, the reason), and a value the game would
// not read as meant (a third colour, core/game_reading.h), judged when painted. Edits
// are handed to the cell editor, which changes the list (or not); the model itself never writes a
// row.
class PlacementTableModel : public QAbstractTableModel, private PlacementListObserver {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 7;
    // The catalogue index of a row, asked of column 0.
    static constexpr int kCatalogueIndexRole = Qt::UserRole;

    // Takes an edit of the cell at position (from 1) and column (0 the building, given as a
    // picker position; 1 to 6 the texts); false when it is refused.
    using CellEditor = std::function<bool(int position, int column, const QVariant& value)>;

    // Rows are judged against the catalogue, when one is given.
    explicit PlacementTableModel(PlacementList& list, const Catalogue* catalogue = nullptr,
                                 QObject* parent = nullptr);
    ~PlacementTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Without a cell editor no cell is editable.
    void setCellEditor(CellEditor editor) { editor_ = std::move(editor); }

signals:
    // The list's selected row changed.
    void listSelectionChanged();

private:
    void beforeInsert(int position, int count) override;
    void afterInsert() override;
    void beforeRemove(int position, int count) override;
    void afterRemove() override;
    void beforeMove(int first, int count, int to) override;
    void afterMove() override;
    void beforeReset() override;
    void afterReset() override;
    void beforeReplace(int position) override;
    void afterReplace() override;
    void selectionChanged() override;

    std::optional<ReadBackProblem> readBackProblem(const PlacementRow& row) const;
    static QVariant readBackMark(const ReadBackProblem& problem, int role);

    PlacementList& list_;
    const Catalogue* catalogue_;
    CellEditor editor_;
    int replacing_ = 0;  // the row being replaced, from 1
};

}  // namespace qrn
