// The control: each press opens a new independent editor window in the next slot of the
// module's window list; a control's initialisation resets the list and loads the plan folder.

#include <QPushButton>
#include <QtTest>
#include <thread>

#include "plugin/module.h"
#include "plugin/plg.h"
#include "plugin/qrn.h"
#include "tests/plugin/test_qrn_platform.h"

using namespace qrn;

class TestPlg : public QObject {
    Q_OBJECT

private:
    test::TestPlatform platform;
    ModuleState state;

    static void press(Plg& plg) { test::child<QPushButton>(&plg, "Command1")->click(); }

    // Runs the deletions that closing a window posts.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void closeAll() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QRN*>(w)) w->close();
        settle();
    }

private slots:
    // The editor windows a press opens load the catalogue of the build's plug-in folder.
    void init() {
        platform.application.path = test::u16(QStringLiteral(QRN_OUT_DIR));
        platform.store.values.clear();
    }
    void cleanup() {
        closeAll();
        QVERIFY(platform.recorder.messages.empty());
    }

    // A square control filled by its button; its initialisation resets the window list and
    // loads the plan folder.
    void pressesFillSlotsFromOneAndClosedWindowsKeepTheirSlot() {
        state.EditorWindows.resize(5);
        platform.store.storePlanFolder(QStringLiteral("d:\\plans"));
        Plg plg(platform, state);
        QCOMPARE(state.EditorWindows.size(), 1u);
        QVERIFY(state.EditorWindows[0].isNull());
        QCOMPARE(state.planFolder, u"d:\\plans");
        QVERIFY(plg.hasHeightForWidth());
        QCOMPARE(plg.heightForWidth(70), 70);
        QCOMPARE(plg.sizeHint().width(), plg.sizeHint().height());
        plg.resize(90, 90);
        plg.show();
        auto* button = test::child<QPushButton>(&plg, "Command1");
        QCOMPARE(button->text(), QStringLiteral("QRN"));
        QCOMPARE(button->geometry(), plg.rect());

        for (int i = 0; i < 3; ++i) press(plg);
        QCOMPARE(state.EditorWindows.size(), 4u);
        QVERIFY(state.EditorWindows[0].isNull());
        for (int i = 1; i <= 3; ++i) {
            // The application here sets no icon: the window shows ours.
            const QRN* w = state.EditorWindows[i];
            QVERIFY(w && w->isVisible() && !w->parent() && !w->isModal() &&
                    !w->windowIcon().pixmap(32).isNull());
        }
        QVERIFY(state.EditorWindows[1] != state.EditorWindows[2]);

        QPointer<QRN> second = state.EditorWindows[2];
        second->close();
        settle();
        QVERIFY(second.isNull());
        QCOMPARE(state.EditorWindows.size(), 4u);
        QVERIFY(state.EditorWindows[2].isNull());

        press(plg);
        QCOMPARE(state.EditorWindows.size(), 5u);
        QVERIFY(state.EditorWindows[1] && state.EditorWindows[3] && state.EditorWindows[4]);
    }

    void aSecondControlResetsTheListButOpenWindowsStay() {
        Plg first(platform, state);
        press(first);
        press(first);
        const QPointer<QRN> a = state.EditorWindows[1];
        const QPointer<QRN> b = state.EditorWindows[2];

        Plg second(platform, state);
        QCOMPARE(state.EditorWindows.size(), 1u);
        settle();
        QVERIFY(a && a->isVisible() && a->isEnabled() && b && b->isVisible() && b->isEnabled());

        press(first);  // both controls share the one list
        QCOMPARE(state.EditorWindows.size(), 2u);
        QVERIFY(state.EditorWindows[1] != a && state.EditorWindows[1] != b);
        a->close();  // an older window is still the user's to close
        settle();
        QVERIFY(a.isNull());
        QVERIFY(b && state.EditorWindows[1]);
    }

    // Controls on another thread share nothing with this one's.
    void moduleStateIsPerThread() {
        ModuleState* here = &threadModuleState();
        ModuleState* there = nullptr;
        std::thread([&there] { there = &threadModuleState(); }).join();
        QVERIFY(here == &threadModuleState());
        QVERIFY(there != nullptr && there != here);
        QVERIFY(here->dialogs != nullptr);
    }
};

QTEST_MAIN(TestPlg)
#include "test_plg.moc"
