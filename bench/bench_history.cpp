// The undo history and the autosave: undoing and redoing each list command on a 100,000-row
// list (target: under 5 ms each), and the part of an autosave of 1,000,000 rows that runs on
// the window's thread (target: under 50 ms, the rest is written off that thread).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <functional>

#include "bench/measure.h"
#include "bench/plan_lists.h"
#include "core/commands.h"
#include "core/input_area.h"
#include "core/list_change.h"
#include "document/autosave.h"
#include "document/plan_document.h"
#include "document/recovery_store.h"
#include "platform/qt/qt_file_system.h"
#include "platform/qt/std_random.h"

namespace qrn::bench {

namespace {

using Command = std::function<void(PlacementList&, InputArea&)>;

void UndoRedo(benchmark::State& state, int position, Command command) {
    PlacementList list = planList(100000);
    InputArea input;
    input.picker.add(u"Maison", 1);
    input.picker.select(0);
    if (position > 0) list.select(position);
    ListChange change = ListChange::record(list, [&] { command(list, input); });
    Timer timer(state);
    for (auto _ : state) {
        timer.time([&] {
            change.undo(list);
            change.redo(list);
        });
    }
    state.counters["best_ms"] = timer.best() * 1e3;
}

const Command kAjouter = [](PlacementList& l, InputArea& in) { Ajouter(l, in); };
const Command kInserer = [](PlacementList& l, InputArea& in) { Inserer(l, in); };
const Command kSupprimer = [](PlacementList& l, InputArea&) { Supprimer(l); };
const Command kMoveUp = [](PlacementList& l, InputArea& in) { MoveUp(l, in); };

void AutosaveOnTheWindowThread(benchmark::State& state) {
    QTemporaryDir dir;
    platform::QtFileSystem files;
    platform::StdRandom random;
    RecoveryStore store(dir.filePath(QStringLiteral("rec")), random, files);
    PlanDocument document;
    const PlacementList& plan = planList(1000000);
    PlacementList::Rows rows;
    for (int p = 1; p <= plan.count(); ++p) rows.push_back(plan.row(p));
    document.restore(std::move(rows), u"plan.qrn");
    Autosave autosave(document, store);
    bool saved = false;
    QObject::connect(&autosave, &Autosave::saved, [&saved] { saved = true; });
    // The window freezes as long as the longest stretch of work between two events: the first
    // slice (saveNow) or any later one.
    double longest = 0;
    double whole = 0;
    for (auto _ : state) {
        saved = false;
        const double total = seconds([&] {
            longest = std::max(longest, seconds([&] { autosave.saveNow(); }));
            while (!saved) {
                longest = std::max(longest, seconds([] {
                                       QCoreApplication::processEvents(QEventLoop::AllEvents);
                                   }));
            }
        });
        state.SetIterationTime(total);
        whole = total;
    }
    state.counters["longest_ms"] = longest * 1e3;
    state.counters["whole_s"] = whole;
}

}  // namespace

BENCHMARK_CAPTURE(UndoRedo, Ajouter, 0, kAjouter)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(UndoRedo, Inserer_middle, 50000, kInserer)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(UndoRedo, Supprimer_middle, 50000, kSupprimer)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(UndoRedo, MoveUp_middle, 50000, kMoveUp)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(AutosaveOnTheWindowThread)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace qrn::bench
