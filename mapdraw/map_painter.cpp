#include "mapdraw/map_painter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QStaticText>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <unordered_map>

#include "base/errors.h"
#include "base/system_reason.h"
#include "core/map_labels.h"
#include "core/map_model.h"
#include "mapdraw/svg_writer.h"

namespace qrn::mapdraw {

namespace {

constexpr double kGridScale = 6;
// A picture's longest side, in pixels: beyond it the whole plan is drawn smaller.
constexpr int kMaxSide = 16384;

const char16_t* ageName(int age) {
    static const char16_t* const kNames[kMapAgeCount] = {u"Pierre", u"Outil", u"Bronze", u"Fer",
                                                         u"Autre"};
    return kNames[age];
}

// The tiles in sight, with a margin for markers wider than their tile.
TileRect visibleTiles(const MapViewport& v) {
    const double margin = markerHalf(v.scale) / v.scale + 1;
    const auto clamp = [](double d) { return std::int64_t(std::clamp(std::floor(d), -4e9, 4e9)); };
    return {clamp(v.mapX(0) - margin), clamp(v.mapY(v.height) - margin),
            clamp(v.mapX(v.width) + margin), clamp(v.mapY(0) + margin)};
}

QPointF centreOf(const MapViewport& v, const MapEntry& e) {
    return {v.screenX(e.x + 0.5), v.screenY(e.y + 0.5)};
}

void paintEdge(QPainter& painter, const Scene& scene) {
    const MapViewport& v = scene.view;
    const QRectF inside = screenRect(v, {0, 0, scene.size->width - 1, scene.size->height - 1});
    QPainterPath outside;
    outside.addRect(QRectF(0, 0, v.width, v.height));
    QPainterPath in;
    in.addRect(inside);
    painter.fillPath(outside.subtracted(in), QColor(200, 196, 186));
    painter.setPen(QPen(QColor(90, 80, 60), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inside);
}

void paintGrid(QPainter& painter, const MapViewport& v) {
    painter.setPen(QColor(225, 220, 205));
    const TileRect t = visibleTiles(v);
    for (std::int64_t x = t.left; x <= t.right + 1; ++x) {
        const double px = v.screenX(double(x));
        painter.drawLine(QLineF(px, 0, px, v.height));
    }
    for (std::int64_t y = t.bottom; y <= t.top + 1; ++y) {
        const double py = v.screenY(double(y));
        painter.drawLine(QLineF(0, py, v.width, py));
    }
}

void paintMarker(QPainter& painter, QPointF c, double half, MapAge age, Qt::PenStyle style) {
    painter.setPen(QPen(Qt::black, 1, style));
    painter.setBrush(ageColour(age));
    painter.drawRect(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half));
}

void paintNames(QPainter& painter, const Scene& scene, const std::vector<MarkerGroup>& groups) {
    const MapModel& model = *scene.model;
    const MapViewport& v = scene.view;
    const QFontMetricsF metrics(painter.font());
    const auto width = [&](std::u16string_view t) {
        return metrics.horizontalAdvance(QString::fromUtf16(t.data(), qsizetype(t.size())));
    };
    const double half = markerHalf(v.scale);
    const double room = std::clamp(6 * v.scale, 40.0, 220.0);
    // A plan names the same buildings again and again: each name is laid out once.
    struct Name {
        QStaticText text;
        double width = 0;
    };
    std::unordered_map<std::u16string, Name> names;
    LabelSpace space;
    // The selected row's name first, so that it always shows; then in list order.
    std::vector<MarkerGroup> order = groups;
    const std::optional<int> selected = model.list().selected();
    std::stable_partition(order.begin(), order.end(),
                          [&](const MarkerGroup& g) { return selected && g.top == *selected; });
    painter.setPen(Qt::black);
    for (const MarkerGroup& g : order) {
        const std::u16string& building = model.list().row(g.top).building();
        auto [found, added] = names.try_emplace(building);
        Name& name = found->second;
        if (added) {
            const std::u16string shortened = shortenedToFit(building, room, width);
            name.width = shortened.empty() ? 0 : width(shortened) + 2;
            name.text.setText(QString::fromStdU16String(shortened));
            name.text.setTextFormat(Qt::PlainText);
            name.text.prepare(QTransform(), painter.font());
        }
        if (name.width == 0) continue;
        const QPointF c = centreOf(v, model.entry(g.top));
        const LabelBox box{c.x() + half + 2, c.y() - metrics.height() / 2, name.width,
                           metrics.height()};
        if (box.left > v.width || box.top > v.height || box.left + box.width < 0 ||
            box.top + box.height < 0 || !space.take(box))
            continue;
        painter.drawStaticText(QPointF(box.left + 1, box.top), name.text);
    }
}

void paintDetail(QPainter& painter, const Scene& scene, const std::vector<int>& all) {
    const MapModel& model = *scene.model;
    const MapViewport& v = scene.view;
    const int moved = scene.ghostRow;  // the lifted row, 0 for none
    std::vector<int> rows;
    rows.reserve(all.size());
    for (const int p : all)
        if (p != moved) rows.push_back(p);
    if (v.scale >= kGridScale) paintGrid(painter, v);
    // Regions, then the places where two meet, then the markers on top.
    for (const int p : rows) {
        const MapEntry& e = model.entry(p);
        QColor fill = ageColour(e.age);
        fill.setAlpha(40);
        painter.fillRect(screenRect(v, e.region), fill);
    }
    const QColor overlap(220, 30, 30, 110);
    for (const int p : rows) {
        const TileRect& region = model.entry(p).region;
        for (const int q : model.overlapsOf(p))
            if (q > p && q != moved)
                painter.fillRect(screenRect(v, region.intersection(model.entry(q).region)),
                                 overlap);
    }
    const double half = markerHalf(v.scale);
    const std::vector<MarkerGroup> groups = groupByTile(model, rows);
    for (const MarkerGroup& g : groups) {
        const QPointF c = centreOf(v, model.entry(g.top));
        paintMarker(painter, c, half, model.entry(g.top).age, Qt::SolidLine);
        if (g.count > 1) {
            const QString count = QString::number(g.count);
            QFont font = painter.font();
            font.setPixelSize(std::max(8, int(half * 1.4)));
            painter.save();
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half),
                             Qt::AlignCenter, count);
            painter.restore();
        }
    }
    if (v.scale >= kNameScale) paintNames(painter, scene, groups);
}

void paintDensity(QPainter& painter, const Scene& scene) {
    // Two by two pixels a cell: each cell shows the age last counted there, darker with more.
    const MapViewport& v = scene.view;
    const int cols = std::max(1, int(v.width) / 2), rows = std::max(1, int(v.height) / 2);
    std::vector<std::uint32_t> counts;
    std::vector<MapAge> ages;
    scene.model->density({v.mapX(0), v.mapY(rows * 2.0), v.mapX(cols * 2.0), v.mapY(0)}, cols, rows,
                         counts, ages);
    QImage image(cols, rows, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QRgb colours[kMapAgeCount];
    for (int a = 0; a < kMapAgeCount; ++a) colours[a] = ageColour(MapAge(a)).rgb();
    for (int r = 0; r < rows; ++r) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(r));
        for (int c = 0; c < cols; ++c) {
            const std::size_t i = std::size_t(r) * std::size_t(cols) + std::size_t(c);
            if (counts[i] == 0) continue;
            const int alpha = int(std::min<std::uint32_t>(255, 110 + 30 * counts[i]));
            const QRgb rgb = colours[int(ages[i])];
            line[c] = qPremultiply(qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), alpha));
        }
    }
    painter.drawImage(QRectF(0, 0, cols * 2.0, rows * 2.0), image);
}

void ghostLayer(QPainter& painter, const Scene& scene) {
    const MapModel& model = *scene.model;
    const MapViewport& v = scene.view;
    const MapEntry& g = *scene.ghost;
    QColor fill = ageColour(g.age);
    fill.setAlpha(90);
    painter.fillRect(screenRect(v, g.region), fill);
    std::vector<int> rows;
    if (model.inside(g.region, kDetailLimit, rows)) {
        const QColor overlap(220, 30, 30, 150);
        for (const int q : rows)
            if (q != scene.ghostRow)
                painter.fillRect(screenRect(v, g.region.intersection(model.entry(q).region)),
                                 overlap);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 90, 255), 2, Qt::DashLine));
    painter.drawRect(screenRect(v, g.region));
    paintMarker(painter, centreOf(v, g), markerHalf(v.scale), g.age, Qt::DashLine);
}

void paintSelected(QPainter& painter, const Scene& scene, bool detail, int position) {
    const MapModel& model = *scene.model;
    if (position > model.count() || !model.entry(position).onMap) return;
    if (scene.ghostRow == position) return;  // lifted
    const MapEntry& e = model.entry(position);
    const QPointF c = centreOf(scene.view, e);
    if (!detail) {
        painter.drawEllipse(c, 6, 6);
        return;
    }
    const double half = markerHalf(scene.view.scale);
    painter.drawRect(screenRect(scene.view, e.region));
    painter.drawRect(QRectF(c.x() - half - 3, c.y() - half - 3, 2 * half + 6, 2 * half + 6));
}

// Every selected row, the current one among them.
void paintSelection(QPainter& painter, const Scene& scene, bool detail) {
    const PlacementList& list = scene.model->list();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 90, 255), 2));
    if (list.selectionCount() > 1) {
        for (const int position : list.selectedPositions())
            paintSelected(painter, scene, detail, position);
    } else if (const std::optional<int> selected = list.selected()) {
        paintSelected(painter, scene, detail, *selected);
    }
}

}  // namespace

QColor ageColour(MapAge age) {
    switch (age) {
        case MapAge::Stone:
            return QColor(128, 128, 128);
        case MapAge::Tool:
            return QColor(46, 139, 87);
        case MapAge::Bronze:
            return QColor(205, 127, 50);
        case MapAge::Iron:
            return QColor(70, 100, 180);
        case MapAge::Other:
            break;
    }
    return QColor(150, 60, 160);
}

double markerHalf(double scale) {
    return std::max(3.0, scale * 0.35);
}

QRectF screenRect(const MapViewport& v, const TileRect& r) {
    const QRectF rect(QPointF(v.screenX(double(r.left)), v.screenY(double(r.top + 1))),
                      QPointF(v.screenX(double(r.right + 1)), v.screenY(double(r.bottom))));
    // Far outside the screen, painting gains nothing from exact edges.
    return rect.intersected(QRectF(-10, -10, v.width + 20.0, v.height + 20.0));
}

void paintBase(QPainter& painter, const Scene& scene, int lifted, std::vector<int>& rows) {
    const MapViewport& v = scene.view;
    painter.fillRect(QRectF(0, 0, v.width, v.height), QColor(246, 243, 232));
    if (scene.size) paintEdge(painter, scene);
    Scene base = scene;
    base.ghost.reset();
    base.ghostRow = lifted;
    const bool detail = scene.model->inside(visibleTiles(v), kDetailLimit, rows);
    if (detail)
        paintDetail(painter, base, rows);
    else
        paintDensity(painter, base);
    paintSelection(painter, base, detail);
}

void paintGhost(QPainter& painter, const Scene& scene) {
    if (scene.ghost) ghostLayer(painter, scene);
}

void paint(QPainter& painter, const Scene& scene, std::vector<int>& rows) {
    paintBase(painter, scene, scene.ghost ? scene.ghostRow : 0, rows);
    paintGhost(painter, scene);
}

QRectF paintLegend(QPainter& painter, QPointF at, bool right) {
    const QFontMetricsF metrics(painter.font());
    const double line = metrics.height() + 2;
    const QString axes = QStringLiteral("X → est, Y ↑ nord");
    const double w = std::max(metrics.horizontalAdvance(axes), 80.0) + 16;
    const QRectF box(right ? at.x() - w : at.x(), at.y(), w, line * (kMapAgeCount + 1) + 8);
    painter.setPen(QColor(160, 160, 160));
    painter.setBrush(QColor(255, 255, 255, 230));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(box.left() + 6, box.top() + 4 + metrics.ascent()), axes);
    for (int a = 0; a < kMapAgeCount; ++a) {
        const double y = box.top() + 4 + line * (a + 1);
        painter.fillRect(QRectF(box.left() + 6, y + 2, 10, line - 6), ageColour(MapAge(a)));
        painter.drawText(QPointF(box.left() + 22, y + metrics.ascent()),
                         QString::fromUtf16(ageName(a)));
    }
    return box;
}

namespace {

// The picture's viewport: the view's, scaled to width; else the whole plan (and the map's
// size) with a tile of margin all round.
MapViewport imageViewport(const MapModel& model, const std::optional<MapSize>& size, int width,
                          const std::optional<MapViewport>& view) {
    MapViewport v;
    if (view) {
        v = *view;
        const double factor = width / std::max(1.0, view->width);
        v.scale *= factor;
        v.width = width;
        v.height = std::clamp(std::round(view->height * factor), 1.0, double(kMaxSide));
        return v;
    }
    std::optional<TileRect> all = model.bounds();
    if (size) {
        const TileRect edge{0, 0, size->width - 1, size->height - 1};
        all = all ? all->united(edge) : edge;
    }
    const TileRect r = all.value_or(TileRect{0, 0, 9, 9});
    const double w = double(r.right - r.left + 3), h = double(r.top - r.bottom + 3);
    v.scale = std::min(width / w, kMaxSide / h);
    v.width = width;
    v.height = std::max(1.0, std::ceil(h * v.scale));
    v.centreX = double(r.left - 1) + w / 2;
    v.centreY = double(r.bottom - 1) + h / 2;
    return v;
}

bool writeSvgPicture(QIODevice& out, const Scene& scene, const std::u16string& name) {
    std::vector<int> rows;
    return writeSvg(out, scene.view.width, scene.view.height, name,
                    [&](QPainter& painter) { paint(painter, scene, rows); });
}

bool writePng(QIODevice& out, const Scene& scene, const std::u16string& name) {
    std::vector<int> rows;
    QImage image(int(scene.view.width), int(scene.view.height),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) throw FileError(name, u"image trop grande pour la mémoire");
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        paint(painter, scene, rows);
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG")) throw FileError(name, u"l'image n'a pas pu être encodée");
    errno = 0;  // what painting and encoding left is not the write's reason
    return out.write(png.data()) == png.data().size();
}

}  // namespace

void writeImage(const MapModel& model, const std::optional<MapSize>& size, const QString& file,
                int width, const std::optional<MapViewport>& view) {
    const std::u16string name = file.toStdU16String();
    const QString suffix = file.section(u'.', -1).toLower();
    const bool svg = suffix == u"svg";
    if (!svg && suffix != u"png") throw FileError(name, u"l'image doit finir par .png ou .svg");
    const MapViewport v = imageViewport(model, size, std::clamp(width, 1, kMaxSide), view);
    // The system's reason for a failure, in French as every file failure of the program.
    const auto failed = [&name] {
        const int error = errno;
        throw FileError(name, error != 0 ? systemReason(error)
                                         : std::u16string(u"l'image n'a pas pu être écrite"));
    };
    errno = 0;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) failed();
    const Scene scene{&model, v, size, std::nullopt, 0};
    const bool written = svg ? writeSvgPicture(out, scene, name) : writePng(out, scene, name);
    if (!written || out.error() != QFileDevice::NoError || !out.commit()) failed();
}

}  // namespace qrn::mapdraw
