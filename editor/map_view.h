#pragma once

#include <QPointF>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/map_model.h"

namespace qrn {

class Catalogue;
class PlanDocument;

// The plan on a tile grid, X to the east (right) and Y to the north (up): each row on the map
// as a marker at (X, Y) coloured by its building's age, with the region the game may put it
// in; regions of different rows that meet are shaded. The list's selection is the map's:
// clicking a marker selects its row, selecting a row brings its marker into sight. Dragging a
// marker, or the arrow keys on the selected one, moves the placement by whole tiles through the
// document (one undoable command a drag; key presses on one row merge). Dragging the ground or
// the middle button pans; the wheel and Ctrl+plus/minus zoom about the cursor.
//
// Everything computed about the rows lives in the core's MapModel; this widget paints what the
// model gives for the visible area and forwards input. When more rows are in sight than can be
// drawn one by one, it paints their density instead.
class MapView : public QWidget {
    Q_OBJECT
public:
    // Rows in sight above which the map shows density instead of markers.
    static constexpr std::size_t kDetailLimit = 3000;

    MapView(PlanDocument& document, const Catalogue& catalogue, QWidget* parent = nullptr);
    ~MapView() override;

    const MapModel& model() const { return model_; }
    // Takes every row again (the catalogue, hence the colours, changed).
    void refresh();
    // Every placement in sight ("Tout voir").
    void fitAll();
    // Pixels a tile.
    double scale() const { return scale_; }
    // Puts the map point (x, y) in the middle, at scale pixels a tile.
    void setView(double x, double y, double scale);
    // The widget point of a map point (tile x covers x to x + 1).
    QPointF toWidget(double x, double y) const;
    QPointF toMap(QPointF point) const;
    // "3 lignes hors carte", "1 ligne hors carte", or empty.
    QString offMapText() const;

signals:
    // The user chose a row by its marker; the list has selected it.
    void markerChosen(int position);
    void offMapChanged(const QString& text);
    // "Tuile X, Y" under the cursor, or empty when it left the map.
    void tileHovered(const QString& text);

protected:
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
    enum class Drag { None, Marker, Pan };

    void zoomAbout(QPointF point, double factor);
    void centreOn(double x, double y);
    void revealSelection();
    void move(int position, std::int32_t x, std::int32_t y, bool mergeWithLast);
    // Half the side of a marker, in pixels.
    double markerHalf() const;
    TileRect visibleTiles() const;
    QRectF widgetRect(const TileRect& r) const;
    void paintDetail(class QPainter& painter, const std::vector<int>& rows);
    void paintDensity(class QPainter& painter);
    void paintLegend(class QPainter& painter);

    PlanDocument& document_;
    MapModel model_;
    double centreX_ = 0, centreY_ = 0;
    double scale_ = 16;
    bool fitted_ = false;
    // Until the user looks around, the map keeps every placement in sight as it grows.
    bool following_ = true;
    Drag drag_ = Drag::None;
    int dragRow_ = 0;
    QPointF pressPoint_;
    QPointF lastPoint_;
    std::int32_t dragX_ = 0, dragY_ = 0;  // where the dragged marker would go
    std::vector<int> visible_;
};

}  // namespace qrn
