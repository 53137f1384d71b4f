// The editor window QRN, offscreen: opening a 100,000-row plan and the row commands there,
// each with the events that follow it processed (the view updated and painted).

#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>
#include <memory>

#include "bench/baseline.h"
#include "bench/measure.h"
#include "bench/workspace.h"
#include "platform/platform.h"
#include "platform/qt/std_random.h"
#include "editor/module_state.h"
#include "editor/qrn.h"

namespace qrn::bench {

namespace {

constexpr long kWindowRows = 100000;

// The open dialog answers with the plan; any message box is a failure of the benchmark.
struct BenchUi : platform::Ui {
    std::u16string planToOpen;
    std::vector<std::u16string> messages;
    void MsgBox(const std::u16string& text) override { messages.push_back(text); }
    platform::SaveChoice AskSaveChanges(const std::u16string&) override {
        return platform::SaveChoice::Discard;
    }
    platform::RecoveryChoice AskRecover(const std::u16string&) override {
        return platform::RecoveryChoice::Ignore;
    }
    std::u16string ShowOpen(const std::u16string&) override { return planToOpen; }
    std::u16string ShowSave(const std::u16string&) override { return {}; }
    std::u16string ShowFolder(const std::u16string&) override { return {}; }
    void OpenHelp(const std::u16string&, const std::u16string&) override {}
};

struct BenchApplication : platform::Application {
    std::u16string folder, helpFile;
    std::u16string Path() override { return folder; }
    std::u16string HelpFile() override { return helpFile; }
    void SetHelpFile(const std::u16string& path) override { helpFile = path; }
    std::u16string Title() override { return u"QRNPlg"; }
};

struct NoSettings : platform::Settings {
    std::u16string GetSetting(const std::u16string&, const std::u16string&, const std::u16string&,
                              const std::u16string& fallback) override {
        return fallback;
    }
    void SaveSetting(const std::u16string&, const std::u16string&, const std::u16string&,
                     const std::u16string&) override {}
};

// The window's services: the real file system over the workspace, whose QRN.txt is the
// catalogue that the window loads.
struct BenchPlatform : platform::Platform {
    BenchPlatform() {
        application.folder = u16(Workspace::instance().folder());
        dialogs.planToOpen = u16(Workspace::instance().planPath(kWindowRows));
    }
    platform::FileSystem& files() override { return Workspace::instance().files(); }
    platform::Application& app() override { return application; }
    platform::Settings& settings() override { return noSettings; }
    platform::Random& random() override { return rnd; }
    platform::Ui& ui() override { return dialogs; }

    BenchApplication application;
    NoSettings noSettings;
    platform::StdRandom rnd;
    BenchUi dialogs;
};

// A shown editor window with its catalogue loaded.
struct Window {
    BenchPlatform platform;
    ModuleState state;
    std::unique_ptr<QRN> qrn;

    Window() : qrn(std::make_unique<QRN>(platform, state)) {
        qrn->show();
        QApplication::processEvents();
    }
    void openPlan() {
        qrn->findChild<QAction*>(QStringLiteral("OpenFile"))->trigger();
        QApplication::processEvents();
    }
    bool failed() const { return !platform.dialogs.messages.empty(); }
};

// "Ouvrir" of the 100,000-row plan into a window that shows a plan of the same size, against
// finding the line ends of the file.
void WindowOpenPlan(benchmark::State& state) {
    const std::string& path = Workspace::instance().planPath(kWindowRows);
    const double base = fastest(5, [&] { benchmark::DoNotOptimize(scanLineEnds(path)); });
    Window window;
    Timer timer(state);
    for (auto _ : state) timer.time([&] { window.openPlan(); });
    if (window.failed() || window.qrn->list().count() != kWindowRows)
        state.SkipWithError("the plan did not open");
    timer.reportRatio(base);
    timer.reportFaults();
}
BENCHMARK(WindowOpenPlan)->UseManualTime()->Unit(benchmark::kMillisecond);

// A fresh window, shown and loaded, then "Ouvrir" of the 100,000-row plan.
void WindowNewAndOpen(benchmark::State& state) {
    Timer timer(state);
    std::unique_ptr<Window> window;
    for (auto _ : state) {
        window.reset();
        timer.time([&] {
            window = std::make_unique<Window>();
            window->openPlan();
        });
    }
    if (window->failed() || window->qrn->list().count() != kWindowRows)
        state.SkipWithError("the plan did not open");
}
BENCHMARK(WindowNewAndOpen)->UseManualTime()->Unit(benchmark::kMillisecond);

// A click of a row button (Command1 "Supprimer", Command2 "/\", Command3 "\/", Command5
// "Insérer") with a row selected in the view, at the top or the bottom of 100,000 rows.
// The row is selected as a click in the view would and scrolled into sight, untimed; the
// command is put back after each run.
void WindowCommand(benchmark::State& state, int button, bool top) {
    Window window;
    window.openPlan();
    QRN& qrn = *window.qrn;
    auto* view = qrn.findChild<QTreeView*>(QStringLiteral("ListView1"));
    auto* command = qrn.findChild<QPushButton*>(QStringLiteral("Command%1").arg(button));
    auto* upButton = qrn.findChild<QPushButton*>(QStringLiteral("Command2"));
    auto* downButton = qrn.findChild<QPushButton*>(QStringLiteral("Command3"));
    auto* insertButton = qrn.findChild<QPushButton*>(QStringLiteral("Command5"));
    const int count = qrn.list().count();
    int row = top ? 1 : count;  // list position of the selected row
    if (button == 2 && top) row = 2;
    if (button == 3 && !top) row = count - 1;

    auto select = [&](int position) {
        const QModelIndex index = view->model()->index(position - 1, 0);
        view->scrollTo(index);
        view->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QApplication::processEvents();
    };
    Timer timer(state);
    for (auto _ : state) {
        select(row);
        timer.time([&] {
            command->click();
            QApplication::processEvents();
        });
        // Put the list back as it was, through the window too.
        switch (button) {
            case 1:  // a row made by Insérer takes the removed row's place (or the one above)
                select(std::min(row, count - 1));
                insertButton->click();
                break;
            case 2:
                downButton->click();
                break;
            case 3:
                upButton->click();
                break;
            case 5:
                select(row);
                qrn.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
                break;
        }
        QApplication::processEvents();
    }
    if (window.failed() || qrn.list().count() != count) state.SkipWithError("the command failed");
}

#define QRN_WINDOW_COMMAND(name, button, top)           \
    BENCHMARK_CAPTURE(WindowCommand, name, button, top) \
        ->UseManualTime()                               \
        ->Unit(benchmark::kMillisecond)

QRN_WINDOW_COMMAND(MoveUp_top, 2, true);
QRN_WINDOW_COMMAND(MoveUp_bottom, 2, false);
QRN_WINDOW_COMMAND(MoveDown_top, 3, true);
QRN_WINDOW_COMMAND(MoveDown_bottom, 3, false);
QRN_WINDOW_COMMAND(Inserer_top, 5, true);
QRN_WINDOW_COMMAND(Inserer_bottom, 5, false);
QRN_WINDOW_COMMAND(Supprimer_top, 1, true);
QRN_WINDOW_COMMAND(Supprimer_bottom, 1, false);

}  // namespace

}  // namespace qrn::bench
