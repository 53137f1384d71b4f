#pragma once

#include <QAbstractTableModel>

#include "core/placement_list.h"

namespace qrn {

// Shows a PlacementList in ListView1: one row a placement row, seven columns "Bâtiment", "X",
// "Y", "Décalage N" to "Décalage O". The list is the truth; the model follows it through the
// observer and asks for nothing per row until a view paints it, so 100,000 rows stay cheap.
class PlacementTableModel : public QAbstractTableModel, private PlacementListObserver {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 7;

    explicit PlacementTableModel(PlacementList& list, QObject* parent = nullptr);
    ~PlacementTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Grows by one with every change to the rows (not to the selection), so a caller can tell
    // whether an operation touched the list at all.

signals:
    // The list's selected row changed.
    void listSelectionChanged();

private:
    void beforeInsert(int position) override;
    void afterInsert() override;
    void beforeRemove(int position) override;
    void afterRemove() override;
    void beforeSwap(int a) override;
    void afterSwap() override;
    void beforeReset() override;
    void afterReset() override;
    void beforeReplace(int position) override;
    void afterReplace() override;
    void selectionChanged() override;

    PlacementList& list_;
    int replacing_ = 0;  // the row being replaced, from 1
};

}  // namespace qrn
