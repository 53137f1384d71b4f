// The map beside the list with 100,000 placements: painting a 1,000 x 800 view offscreen at
// zooms from the whole plan (density) down to a few tiles, a frame of a live drag and of the
// placing preview, finding the marker under a point and the rows a moved region meets, a list
// edit reaching the map's model, and the whole plan's picture as `qrnplan image` writes it.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <random>
#include <string>

#include "core/catalogue.h"
#include "core/input_area.h"
#include "core/map_model.h"
#include "document/plan_document.h"
#include "editor/map_view.h"
#include "mapdraw/map_painter.h"

namespace qrn::bench {

namespace {

constexpr int kMapRows = 100000;
constexpr int kSide = 1000;  // placements spread over kSide x kSide tiles, one in ten taken

std::u16string text(long v) {
    const std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

// A catalogue of the four ages and others, and a plan of kMapRows rows with offsets 0 to 3.
struct MapPlan {
    Catalogue catalogue;
    PlanDocument document;

    MapPlan() {
        std::vector<std::array<std::u16string, 7>> records;
        const char16_t* const ages[] = {u"15", u"14", u"12", u"8", u"99"};
        for (int i = 0; i < 50; ++i)
            records.push_back({u"-", u"ID" + text(i), u"", u"", ages[i % 5], u"", u"B" + text(i)});
        catalogue.assign(records);
        std::mt19937 random(12);
        PlacementList::Rows rows;
        for (int i = 0; i < kMapRows; ++i) {
            const auto at = [&] { return text(long(random() % kSide)); };
            const auto off = [&] { return text(long(random() % 4)); };
            const std::u16string x = at(), y = at(), n = off(), s = off(), e = off(), o = off();
            rows.emplace_back(u"Bâtiment " + text(i % 50),
                              std::array<std::u16string_view, 6>{x, y, n, s, e, o},
                              CatalogueIndex::number(std::int16_t(i % 50)));
        }
        document.reset(std::move(rows), u"");
    }
};

MapPlan& plan() {
    static MapPlan p;
    return p;
}

// A full repaint of a 1,000 x 800 map at a zoom in pixels a tile (0: the whole plan), centred
// on the plan.
void MapPaint(benchmark::State& state) {
    MapView view(plan().document, plan().catalogue);
    view.resize(1000, 800);
    view.fitAll();
    const double scale = double(state.range(0)) / 4;
    if (scale > 0) view.setView(kSide / 2.0, kSide / 2.0, scale);
    QImage image(1000, 800, QImage::Format_ARGB32_Premultiplied);
    const MapViewport at = view.viewport();
    for (auto _ : state) {
        view.setView(at.centreX, at.centreY, at.scale);  // the whole map drawn again
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["px_per_tile"] = view.scale();
}
BENCHMARK(MapPaint)->Arg(0)->Arg(4)->Arg(12)->Arg(32)->Arg(48)->Arg(128)->Unit(
    benchmark::kMillisecond);

// One frame of the map at 12 pixels a tile while a placement is dragged (row:1) or the placing
// preview follows the pointer (row:0): a mouse move across one tile and the repaint, the
// region where the placement would go and the overlaps it would make drawn over the map.
void MapGhostFrame(benchmark::State& state) {
    MapView view(plan().document, plan().catalogue);
    view.resize(1000, 800);
    InputArea input;
    input.picker.add(u"Bâtiment 3", 3);
    input.picker.select(0);
    input.fields = {u"0", u"0", u"2", u"2", u"2", u"2"};
    view.setInput(&input);
    const MapEntry& first = view.model().entry(1);
    view.setView(first.x + 0.5, first.y + 0.5, 12);
    QImage image(1000, 800, QImage::Format_ARGB32_Premultiplied);
    view.render(&image);
    const bool drag = state.range(0) == 1;
    const QPointF centre(500, 400);
    const auto send = [&view](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, buttons, {});
        QCoreApplication::sendEvent(&view, &event);
    };
    if (drag)
        send(QEvent::MouseButtonPress, centre, Qt::LeftButton);
    else
        view.setTool(MapView::Tool::Place);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 40;
        send(QEvent::MouseMove, centre + QPointF(12.0 * (step - 20), 6), Qt::MouseButtons(drag));
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    if (drag) send(QEvent::MouseButtonRelease, centre, Qt::NoButton);  // back where it was
}
BENCHMARK(MapGhostFrame)->ArgName("row")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The whole plan's picture, 2,000 pixels wide, encoded and written: `qrnplan image` after
// reading the plan.
void MapImageFile(benchmark::State& state) {
    MapModel model(plan().document.list(), &plan().catalogue);
    const QString file = QDir::temp().filePath(QStringLiteral("qrn-bench-map.png"));
    for (auto _ : state) mapdraw::writeImage(model, std::nullopt, file, 2000);
    QFile::remove(file);
}
BENCHMARK(MapImageFile)->Unit(benchmark::kMillisecond);

// The marker under a point anywhere on the plan, with a reach of a few tiles.
void MapMarkerAt(benchmark::State& state) {
    MapModel model(plan().document.list(), &plan().catalogue);
    std::mt19937 random(3);
    std::uniform_real_distribution<double> at(0, kSide);
    for (auto _ : state) benchmark::DoNotOptimize(model.markerAt(at(random), at(random), 2.0));
}
BENCHMARK(MapMarkerAt)->Unit(benchmark::kMicrosecond);

// The rows a row's region meets once moved somewhere else.
void MapOverlapsOfMoved(benchmark::State& state) {
    MapModel model(plan().document.list(), &plan().catalogue);
    std::mt19937 random(4);
    for (auto _ : state) {
        const std::int64_t x = random() % kSide, y = random() % kSide;
        benchmark::DoNotOptimize(model.overlapsOf(TileRect{x - 3, y - 3, x + 3, y + 3}, 1));
    }
}
BENCHMARK(MapOverlapsOfMoved)->Unit(benchmark::kMicrosecond);

// A row moved through the list (replace) or a row inserted and removed in the middle, with a
// map model listening.
void MapEditRow(benchmark::State& state) {
    PlacementList& list = plan().document.list();
    MapModel model(list, &plan().catalogue);
    std::mt19937 random(5);
    const bool insert = state.range(0) == 1;
    for (auto _ : state) {
        const int p = int(random() % kMapRows) + 1;
        const PlacementRow row = list.row(p);
        if (insert) {
            list.insert(kMapRows / 2, row);
            list.remove(kMapRows / 2);
        } else {
            list.replace(p, movedRow(row, std::int32_t(random() % kSide), 7));
            list.replace(p, row);
        }
    }
}
BENCHMARK(MapEditRow)->ArgName("insert")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace qrn::bench
