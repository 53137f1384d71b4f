#pragma once

#include <QColor>
#include <QRectF>
#include <optional>
#include <vector>

#include "core/map_geometry.h"

class QPainter;
class QString;

namespace qrn {

class MapModel;

// The one drawing of a plan's map, shared by the editor's map view, the picture it exports and
// `qrnplan image`: the tile grid, each region in its age colour, the places where regions meet
// shaded red, the markers (placements on one tile as one marker with their count), names that
// fit, the selection, the map's edge with its outside shaded, and a placement that is being
// dragged or placed drawn where it would go, with the overlaps it would make.
namespace mapdraw {

// Rows in sight above which the map shows their density instead of markers.
inline constexpr std::size_t kDetailLimit = 3000;
// From this many pixels a tile, names are drawn beside the markers.
inline constexpr double kNameScale = 12;

QColor ageColour(MapAge age);

struct Scene {
    const MapModel* model = nullptr;
    MapViewport view;
    std::optional<MapSize> size;
    // A placement shown where it would go: a dragged row (ghostRow its position, left out of
    // its old place) or the placing preview (ghostRow 0).
    std::optional<MapEntry> ghost;
    int ghostRow = 0;
};

// paint() in two layers, so that a view can keep the first while only the second moves: the
// map without the row lifted (0: none) and the selection, then the ghost of scene.
void paintBase(QPainter& painter, const Scene& scene, int lifted, std::vector<int>& rows);
void paintGhost(QPainter& painter, const Scene& scene);

// Half the side of a marker, in pixels, at scale pixels a tile.
double markerHalf(double scale);
// The widget rectangle of a tile rectangle, clipped near the screen.
QRectF screenRect(const MapViewport& view, const TileRect& r);

// Paints scene on painter over (0, 0, view.width, view.height). rows is working space.
void paint(QPainter& painter, const Scene& scene, std::vector<int>& rows);
// The colours of the ages and the axes, in a box whose top left corner is at, or whose top
// right corner when right is set. Returns the box.
QRectF paintLegend(QPainter& painter, QPointF at, bool right);

// Writes the drawing to file as PNG or SVG (by its extension, case aside), width pixels wide:
// the whole plan (and the map's size when set) when view is none, else that view scaled to
// width. Throws FileError naming file when it cannot be written or its extension is neither.
void writeImage(const MapModel& model, const std::optional<MapSize>& size, const QString& file,
                int width, const std::optional<MapViewport>& view = std::nullopt);

}  // namespace mapdraw
}  // namespace qrn
