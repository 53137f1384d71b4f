#pragma once

#include <QWidget>
#include <vector>

#include "editor/map_view.h"

class QLabel;
class QLayout;
class QPushButton;
class QToolButton;

namespace qrn {

namespace platform {
class Platform;
}

// The map with what goes around it: above, the tools "Sélection" (key S) and "Placer" (key P)
// and the picture's export; below, the rows the map cannot show ("n hors des limites" outside
// the map's size, "n non dessinables" without whole X and Y: a click selects the first of
// them, "suivant" the next), the tile under the pointer and "Tout voir". The map's size comes
// from the per-user options. "Placer" adds what the input area holds, as "Ajouter" would.
class MapPane : public QWidget {
    Q_OBJECT
public:
    MapPane(PlanDocument& document, const Catalogue& catalogue, const InputArea& input,
            platform::Platform& platform, QWidget* parent = nullptr);

    MapView* view() const { return view_; }

public slots:
    // Asks where (the save dialog) and writes the map's picture there, PNG or SVG by the
    // name's end: the whole plan, or what the view shows.
    void exportImage(bool wholePlan = true);
    // Takes the map's size from the options again.
    void reloadSettings();

signals:
    // A row chosen from the map or its counts; the list has selected it.
    void rowChosen(int position);

private:
    // The tools above the map, "Exporter l'image…" among them, and the counts below it.
    QLayout* makeToolLine();
    QToolButton* makeExportButton();
    QLayout* makeCountLine();
    void updateCounts();
    void choose(std::vector<int> rows);
    void next();

    PlanDocument& document_;
    platform::Platform& platform_;
    MapView* view_;
    QPushButton* outside_;
    QPushButton* notDrawn_;
    QPushButton* next_;
    QLabel* tile_;
    std::vector<int> chosen_;  // the rows a count chose, and which one is selected
    std::size_t current_ = 0;
};

}  // namespace qrn
