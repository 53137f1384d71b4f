// The catalogue, the age filter, ClassThem and the list commands on a 100,000-row list.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>

#include "base/text.h"
#include "bench/baseline.h"
#include "bench/measure.h"
#include "bench/plan_lists.h"
#include "bench/workspace.h"
#include "core/age_filter.h"
#include "core/catalogue.h"
#include "core/commands.h"
#include "core/input_area.h"

namespace qrn::bench {

namespace {

constexpr long kListRows = 100000;

// LoadCatalogue of the 1001 records, against finding the line ends of the same file.
void LoadCatalogue(benchmark::State& state) {
    Workspace& ws = Workspace::instance();
    const std::u16string path = u16(ws.cataloguePath());
    const double base =
        fastest(20, [&] { benchmark::DoNotOptimize(scanLineEnds(ws.cataloguePath())); });
    Timer timer(state);
    for (auto _ : state) {
        auto catalogue = std::make_unique<Catalogue>();
        timer.time([&] { catalogue->load(ws.files(), path); });
        if (catalogue->count() != 1000) state.SkipWithError("the catalogue did not load whole");
    }
    timer.reportRatio(base);
}
BENCHMARK(LoadCatalogue)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Blist with all four ages checked and with none, on the full catalogue.
void BlistBench(benchmark::State& state, bool allAges) {
    const Catalogue& catalogue = Workspace::instance().catalogue();
    AgeChecks checks;
    if (!allAges) checks = {false, false, false, false};
    Picker picker;
    Timer timer(state);
    for (auto _ : state) timer.time([&] { Blist(catalogue, checks, picker); });
    state.counters["entries"] = picker.count();
}
BENCHMARK_CAPTURE(BlistBench, all_ages, true)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BlistBench, no_age, false)->UseManualTime()->Unit(benchmark::kMicrosecond);

enum class Order { Ascending, Descending, Random };

// ClassThem of 10,000 indices, in order, reversed and at random with repeats: the cost must
// not depend on the order. The baseline finds the list's separators.
void ClassThemBench(benchmark::State& state, Order order) {
    const Catalogue& catalogue = Workspace::instance().catalogue();
    std::vector<int> indices(10000);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> any(0, Catalogue::kMaxIndex);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        indices[i] = order == Order::Random ? any(random) : int(i % Catalogue::kSize);
    }
    if (order != Order::Random) std::sort(indices.begin(), indices.end());
    if (order == Order::Descending) std::reverse(indices.begin(), indices.end());
    std::u16string list;
    for (int index : indices) list += decimal(index) + u";";

    const double base =
        fastest(20, [&] { benchmark::DoNotOptimize(std::count(list.begin(), list.end(), u';')); });
    Timer timer(state);
    for (auto _ : state) {
        timer.time([&] { benchmark::DoNotOptimize(ClassThem(catalogue, list).size()); });
    }
    timer.reportRatio(base);
}
BENCHMARK_CAPTURE(ClassThemBench, ascending, Order::Ascending)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ClassThemBench, descending, Order::Descending)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ClassThemBench, random, Order::Random)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

enum class Command { Inserer, MoveUp, MoveDown, Supprimer };
enum class Where { Top, Middle, Bottom };

// The selected row for a command at the top or at the bottom of a list of count rows: the one
// that makes the command do its work there.
int selectedRow(Command command, Where where, int count) {
    if (where == Where::Top) return command == Command::MoveUp ? 2 : 1;
    if (where == Where::Middle) return count / 2;
    return command == Command::MoveDown ? count - 1 : count;
}

// The rows the command must move in the list's storage, a deque that moves the rows on the
// shorter side of the place where a row comes in or goes out.
long rowsToMove(Command command, int selected, int count) {
    switch (command) {
        case Command::Inserer:
            return std::min(selected - 1, count - selected + 1);
        case Command::Supprimer:
            return std::min(selected - 1, count - selected);
        default:
            return 2;
    }
}

// One list command on a 100,000-row list, at the top, in the middle and at the bottom. Only
// the command is timed; the list is put back as it was after each one. Insérer and Supprimer
// must move the rows on one side; their baseline moves as many bytes as those rows take.
void ListCommand(benchmark::State& state, Command command, Where where) {
    PlacementList list = planList(kListRows);
    InputArea input;
    fillPicker(Workspace::instance().catalogue(), input.picker);
    input.picker.select(5);
    const int selected = selectedRow(command, where, list.count());
    const long moved = rowsToMove(command, selected, list.count());
    const PlacementRow kept = list.row(selected);

    Timer timer(state);
    for (auto _ : state) {
        list.select(selected);
        switch (command) {
            case Command::Inserer:
                timer.time([&] { Inserer(list, input); });
                list.remove(selected);
                break;
            case Command::MoveUp:
                timer.time([&] { MoveUp(list, input); });
                list.swapWithNext(selected - 1);
                break;
            case Command::MoveDown:
                timer.time([&] { MoveDown(list, input); });
                list.swapWithNext(selected);
                break;
            case Command::Supprimer:
                timer.time([&] { Supprimer(list); });
                list.insert(selected, kept);
                break;
        }
    }
    if (list.count() != kListRows || !(list.row(selected) == kept))
        state.SkipWithError("the list was not put back");
    state.counters["rows_moved"] = double(moved);
    if (moved > 2) {
        std::vector<char> bytes(std::size_t(moved) * sizeof(PlacementRow), 'x');
        timer.reportRatio(fastest(20, [&] {
            std::memmove(bytes.data() + 1, bytes.data(), bytes.size() - 1);
            benchmark::DoNotOptimize(bytes.data());
        }));
    }
}

#define QRN_LIST_COMMAND(name, command, where)                           \
    BENCHMARK_CAPTURE(ListCommand, name, Command::command, Where::where) \
        ->Iterations(2000)                                               \
        ->UseManualTime()                                                \
        ->Unit(benchmark::kMicrosecond)

QRN_LIST_COMMAND(Inserer_top, Inserer, Top);
QRN_LIST_COMMAND(Inserer_middle, Inserer, Middle);
QRN_LIST_COMMAND(Inserer_bottom, Inserer, Bottom);
QRN_LIST_COMMAND(MoveUp_top, MoveUp, Top);
QRN_LIST_COMMAND(MoveUp_bottom, MoveUp, Bottom);
QRN_LIST_COMMAND(MoveDown_top, MoveDown, Top);
QRN_LIST_COMMAND(MoveDown_bottom, MoveDown, Bottom);
QRN_LIST_COMMAND(Supprimer_top, Supprimer, Top);
QRN_LIST_COMMAND(Supprimer_middle, Supprimer, Middle);
QRN_LIST_COMMAND(Supprimer_bottom, Supprimer, Bottom);

}  // namespace

}  // namespace qrn::bench
