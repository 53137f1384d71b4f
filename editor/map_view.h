#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/map_model.h"

class QPainter;
class QToolButton;

namespace qrn {

class Catalogue;
namespace mapdraw {
struct Scene;
}
class PlanDocument;
struct InputArea;

// The plan on a tile grid, X to the east (right) and Y to the north (up), painted by the map's
// one painter (mapdraw/map_painter.h). The list's selection is the map's: clicking a marker
// selects its row, selecting a row brings its marker into sight.
//
// Two tools. "Sélection": dragging a marker moves the placement by whole tiles, its region
// and the overlaps it would make following the pointer live with the target tile's
// coordinates beside it; Escape puts it back; the release is one undoable move (key presses on
// one row merge, a drag never does). The arrow keys move the selected placement. Ctrl+click
// adds a marker to the selection or takes it out; Shift (or Ctrl) and dragging the ground
// draws a rubber band whose markers become the selection (Ctrl: are added to it). With several
// placements selected, dragging one of them or the arrow keys move them all together, each
// shown where it would go. "Placer": the
// tile under the pointer shows the region the input area's building would take and its
// overlaps; a click adds that row there. In both, dragging the ground or the middle button
// pans; the wheel and Ctrl+plus/minus zoom about the cursor. A marker's tool tip says its row.
//
// Everything computed about the rows lives in the core's MapModel.
class MapView : public QWidget {
    Q_OBJECT
public:
    enum class Tool { Select, Place };

    MapView(PlanDocument& document, const Catalogue& catalogue, QWidget* parent = nullptr);
    ~MapView() override;

    const MapModel& model() const { return model_; }
    // Takes every row again (the catalogue, hence the colours, changed).
    void refresh();
    // Every placement in sight ("Tout voir").
    void fitAll();
    // Pixels a tile.
    double scale() const { return view_.scale; }
    const MapViewport& viewport() const { return view_; }
    // Puts the map point (x, y) in the middle, at scale pixels a tile.
    void setView(double x, double y, double scale);
    // The widget point of a map point (tile x covers x to x + 1).
    QPointF toWidget(double x, double y) const;
    QPointF toMap(QPointF point) const;

    Tool tool() const { return tool_; }
    void setTool(Tool tool);
    // Where "Placer" takes the building and offsets from; without it "Placer" places nothing.
    void setInput(const InputArea* input) { input_ = input; }
    // The map's size: its edge drawn and the outside shaded; none for no edge.
    void setMapSize(std::optional<MapSize> size);
    const std::optional<MapSize>& mapSize() const { return size_; }
    // The tool tip of the marker at a widget point: row, building, cells, overlapped rows.
    QString toolTipAt(QPointF point) const;

signals:
    // The user chose a row by its marker; the list has selected it.
    void markerChosen(int position);
    // The rows changed: which of them the map cannot show may have changed too.
    void offMapChanged();
    // "Tuile X, Y" under the cursor, or empty when it left the map.
    void tileHovered(const QString& text);
    void toolChanged(MapView::Tool tool);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Over the map while the pointer works: the target tile, the other placements a block drag
    // takes along, the rubber band.
    void paintDragMarks(QPainter& painter, const mapdraw::Scene& scene) const;
    enum class Drag { None, Marker, Pan, Place, Band };

    void zoomAbout(QPointF point, double factor);
    void centreOn(double x, double y);
    void revealSelection();
    void placeLegend();
    // The map itself changed (rows, selection, view): its kept picture is drawn again.
    void redraw();
    // The row the drag or the placing tool would make at (dragX_, dragY_), as the map shows it.
    std::optional<MapEntry> ghost() const;
    void track(QPointF point);
    // The rows whose marker lies in the rubber band, added to the selection or replacing it.
    void selectBand(QPointF from, QPointF to, bool adding);

    PlanDocument& document_;
    const Catalogue& catalogue_;
    MapModel model_;
    MapViewport view_;
    std::optional<MapSize> size_;
    Tool tool_ = Tool::Select;
    const InputArea* input_ = nullptr;
    QToolButton* legendButton_;
    bool fitted_ = false;
    // Until the user looks around, the map keeps every placement in sight as it grows.
    bool following_ = true;
    Drag drag_ = Drag::None;
    bool hovering_ = false;  // the pointer is over the map (the placing preview shows)
    int dragRow_ = 0;
    bool dragBlock_ = false;  // the dragged marker takes the other selected ones with it
    QPointF pressPoint_;
    QPointF lastPoint_;
    std::int32_t dragX_ = 0, dragY_ = 0;  // where the dragged marker or the new row would go
    std::vector<int> visible_;
    QImage base_;  // the map without the ghost, as last drawn
    bool baseValid_ = false;
    int baseLifted_ = 0;
};

}  // namespace qrn
