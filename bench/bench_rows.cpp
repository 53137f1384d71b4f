// Many rows at once on a 100,000-row plan, with the list's table model and the map's model
// following as in a window: select all and delete (target: 100 ms), copy in the three
// clipboard forms (200 ms), paste them back (300 ms), undo and redo of each within the same,
// and a find across every row (50 ms), a building named with neither its case nor its accents.
// Counters: the fastest run of each part, in ms.

#include <benchmark/benchmark.h>

#include <QMimeData>
#include <QUndoStack>
#include <memory>

#include "bench/measure.h"
#include "bench/plan_lists.h"
#include "bench/workspace.h"
#include "core/map_model.h"
#include "core/row_find.h"
#include "document/plan_document.h"
#include "document/plan_operations.h"
#include "editor/placement_table_model.h"
#include "editor/row_mime_data.h"

namespace qrn::bench {

namespace {

constexpr long kRows = 100000;

// A document of kRows rows with the two views a window keeps on it.
struct Window {
    Window() {
        const PlacementList& plan = planList(kRows);
        document.reset(plan.rows(), u"plan.qrn");
    }
    PlanDocument document;
    PlacementTableModel table{document.list()};
    MapModel map{document.list(), &Workspace::instance().catalogue()};
};

// Runs the operation, then its undo and redo, keeping the fastest of each; the undo leaves
// the plan as it was for the next run.
void timeWithHistory(benchmark::State& state, Window& w, const std::function<void()>& operation) {
    double undo = 1e9, redo = 1e9;
    QUndoStack& history = *w.document.undoStack();
    Timer timer(state);
    for (auto _ : state) {
        timer.time(operation);
        undo = std::min(undo, seconds([&] { history.undo(); }));
        redo = std::min(redo, seconds([&] { history.redo(); }));
        history.undo();
    }
    state.counters["best_ms"] = timer.best() * 1e3;
    state.counters["undo_ms"] = undo * 1e3;
    state.counters["redo_ms"] = redo * 1e3;
}

void SelectAllAndDelete(benchmark::State& state) {
    Window w;
    timeWithHistory(state, w, [&] {
        w.document.list().selectAll();
        operations::remove(w.document);
    });
}
BENCHMARK(SelectAllAndDelete)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void CopyAll(benchmark::State& state) {
    Window w;
    w.document.list().selectAll();
    const Catalogue& catalogue = Workspace::instance().catalogue();
    Timer timer(state);
    for (auto _ : state) {
        timer.time([&] {
            std::unique_ptr<QMimeData> data(
                rowsMimeData(w.document.list().selectedRows(), catalogue));
            benchmark::DoNotOptimize(data.get());
        });
    }
    state.counters["best_ms"] = timer.best() * 1e3;
}
BENCHMARK(CopyAll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void PasteAll(benchmark::State& state) {
    Window w;
    const Catalogue& catalogue = Workspace::instance().catalogue();
    w.document.list().selectAll();
    const std::unique_ptr<QMimeData> data(
        rowsMimeData(w.document.list().selectedRows(), catalogue));
    w.document.list().select(kRows / 2);
    timeWithHistory(state, w, [&] { operations::paste(w.document, pastedRows(*data, catalogue)); });
}
BENCHMARK(PasteAll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void FindEveryRow(benchmark::State& state) {
    Window w;
    Timer timer(state);
    int found = 0;
    for (auto _ : state)
        timer.time([&] { found = RowFinder(w.document.list(), u"BATIMENT N° 77").count(); });
    state.counters["best_ms"] = timer.best() * 1e3;
    state.counters["matches"] = found;
}
BENCHMARK(FindEveryRow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

}  // namespace qrn::bench
