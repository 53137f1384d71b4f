// Every failure point of the editor window's file commands, through the real widgets over real
// files, with the file system failing one operation at a time: the load step, "Ouvrir",
// "Enregistrer" over an existing plan, "Enregistrer sous..." to a new name, and the autosave.
// At every point nothing is lost: a plan file keeps its bytes, a failed save creates no file,
// the catalogue table stays as it was, the list holds what it should, and the user is told.

#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QStatusBar>

#include <algorithm>
#include "plugin/autosave.h"

#include "tests/faults/faulty_file_system.h"
#include "tests/plugin/test_qrn_fixture.h"

namespace qrn::test {

namespace {

using Operation = testing::FaultyFileSystem::Operation;

// The stand-in platform of the window tests with its file system behind the faulty one.
struct FaultyPlatform : TestPlatform {
    testing::FaultyFileSystem faulty{fs};
    platform::FileSystem& files() override { return faulty; }
};

// An editor window over FaultyPlatform, its plug-in and plan folder a fresh temporary folder.
// Faults start only when a test starts them, after the window has loaded unless it asks not to
// show the window yet.
struct FaultyEditor : BasicEditor<FaultyPlatform> {
    explicit FaultyEditor(bool show = true) : BasicEditor(testCatalogue(), show) {
        state.planFolder = u16(dir.path());
    }

    QStringList folder() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
    QString lastMessage() {
        return messages().empty() ? QString() : QString::fromStdU16String(messages().back());
    }
    void open(const QString& file) {
        platform.recorder.answers.push_back(u16(file));
        window->findChild<QAction*>(QStringLiteral("OpenFile"))->trigger();
    }

    // Starts the faults: point k fails (0: none).
    testing::FaultyFileSystem& faults(int k) {
        platform.faulty.start(k);
        return platform.faulty;
    }
};

const QByteArray kHutte = planLine({QStringLiteral("12"), QStringLiteral("7"), QStringLiteral("0"),
                                    QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("3")},
                                   QStringLiteral("Hutte"), QStringLiteral("101"));
const QByteArray kTemple =
    planLine({QStringLiteral("40"), QStringLiteral("25"), QStringLiteral("2"), QStringLiteral("0"),
              QStringLiteral("1"), QStringLiteral("0")},
             QStringLiteral("Temple"), QStringLiteral("105"));
const QByteArray kMaison = planLine({QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("1"),
                                     QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")},
                                    QStringLiteral("Maison"), QStringLiteral("104"));

// Lines read whole before the failing point: the rows a failed read keeps.
int linesRead(const testing::FaultyFileSystem& faulty) {
    const auto& log = faulty.log();
    return int(std::count(log.begin(), log.end() - 1, Operation::ReadLine));
}

bool isRead(Operation op) {
    return op == Operation::AtEnd || op == Operation::ReadLine;
}

std::vector<std::array<std::u16string, 7>> earlierRecords() {
    return {{u"-", u"Vieux", u"1", u"", u"15", u"", u"Ancien"},
            {u"L", u"Autre", u"2", u"", u"8", u"", u"Autre"}};
}

}  // namespace

class TestWindowFaults : public QObject {
    Q_OBJECT

    // Runs scenario(0, points) without a fault, which counts the points, then scenario(k, _)
    // for every point k; stops at the first failed check, naming the point.
    template <class Scenario>
    void walk(const char* what, Scenario scenario) {
        int points = 0;
        scenario(0, points);
        if (QTest::currentTestFailed()) return;
        QVERIFY(points > 0);
        for (int k = 1; k <= points; ++k) {
            int ignored = 0;
            scenario(k, ignored);
            if (QTest::currentTestFailed()) {
                qWarning("%s: the check failed with point %d of %d failing", what, k, points);
                return;
            }
        }
        qInfo("%s: %d faults injected", what, points);
        total_ += points;
    }

    int total_ = 0;

private slots:
    void loadStep() {
        walk("load step", [](int k, int& points) {
            FaultyEditor e(false);
            e.state.catalogue.assign(earlierRecords());
            auto& faulty = e.faults(k);
            e.window->show();
            points = faulty.points();
            QVERIFY(e.window->isVisible());
            auto* combo = e.get<QComboBox>("Combo1");
            if (k == 0) {
                QCOMPARE(combo->count(), 6);
                QVERIFY(e.messages().empty());
                return;
            }
            QVERIFY(faulty.injected());
            QCOMPARE(combo->count(), 0);
            QCOMPARE(e.messages().size(), std::size_t(1));
            QVERIFY(e.lastMessage().contains(QStringLiteral("QRN.txt")));
            Catalogue earlier;
            earlier.assign(earlierRecords());
            QCOMPARE(e.state.catalogue.count(), earlier.count());
            for (int i = 0; i <= 2; ++i)
                for (int f = 1; f <= 7; ++f)
                    QCOMPARE(e.state.catalogue.field(i, f), earlier.field(i, f));
        });
    }

    // "Ouvrir": a file that did not open leaves the list and CurrentFile; a read that failed
    // later leaves the rows before it and an empty CurrentFile, so that the next "Enregistrer"
    // asks where to save instead of overwriting the file with part of it.
    void openFile() {
        QStringList clean;
        walk("Ouvrir", [&](int k, int& points) {
            FaultyEditor e;
            const QString first = e.path(QStringLiteral("premier plan.qrn"));
            const QString second = e.path(QStringLiteral("second plan é.qrn"));
            writeBytes(first, kHutte);
            writeBytes(second, kTemple + kMaison + kHutte);
            e.open(first);
            const QStringList before = e.rows();
            QCOMPARE(before.size(), 1);

            auto& faulty = e.faults(k);
            e.open(second);
            points = faulty.points();
            if (k == 0) {
                clean = e.rows();
                QCOMPARE(clean.size(), 3);
                QVERIFY(e.messages().empty());
                return;
            }
            QVERIFY(faulty.injected());
            QCOMPARE(e.messages().size(), std::size_t(1));
            QVERIFY(e.lastMessage().contains(second));
            if (faulty.log().back() == Operation::Open) {
                QCOMPARE(e.rows(), before);
                QCOMPARE(e.window->currentFile(), u16(first));
            } else {
                QVERIFY(isRead(faulty.log().back()));
                QCOMPARE(e.rows(), clean.mid(0, linesRead(faulty)));
                QVERIFY(e.window->currentFile().empty());
                e.faults(0);
                e.trigger("SaveFile");  // asks; the empty answer cancels
                QCOMPARE(e.platform.recorder.dialogs.back(), u"save:" + e.state.planFolder);
            }
            QCOMPARE(readAll(first), kHutte);
            QCOMPARE(readAll(second), kTemple + kMaison + kHutte);
        });
    }

    void saveOverAnExistingPlan() {
        walk("Enregistrer", [](int k, int& points) {
            FaultyEditor e;
            const QString plan = e.path(QStringLiteral("plan existant.qrn"));
            writeBytes(plan, kTemple + kMaison);
            e.open(plan);
            e.click("Command4");  // "Ajouter": the list now differs from the file
            QCOMPARE(e.rows().size(), 3);
            const QStringList folder = e.folder();

            auto& faulty = e.faults(k);
            e.trigger("SaveFile");
            points = faulty.points();
            QCOMPARE(e.folder(), folder);
            if (k == 0) {
                QVERIFY(e.messages().empty());
                QCOMPARE(
                    readAll(plan),
                    kTemple + kMaison +
                        planLine({QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                                  QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")},
                                 QStringLiteral("Rien"), QStringLiteral("100")));
                return;
            }
            QVERIFY(faulty.injected());
            QCOMPARE(readAll(plan), kTemple + kMaison);
            QCOMPARE(e.messages().size(), std::size_t(1));
            QVERIFY(e.lastMessage().contains(plan));
        });
    }

    void saveUnderANewName() {
        walk("Enregistrer sous...", [](int k, int& points) {
            FaultyEditor e;
            const QString plan = e.path(QStringLiteral("plan.qrn"));
            writeBytes(plan, kTemple + kMaison);
            e.open(plan);
            const QStringList folder = e.folder();
            const QString fresh = e.path(QStringLiteral("nouveau plan Ω.qrn"));

            auto& faulty = e.faults(k);
            e.platform.recorder.answers.push_back(u16(fresh));
            e.trigger("SaveFilesAs");
            points = faulty.points();
            QCOMPARE(readAll(plan), kTemple + kMaison);
            if (k == 0) {
                QVERIFY(e.messages().empty());
                QCOMPARE(readAll(fresh), kTemple + kMaison);
                return;
            }
            QVERIFY(faulty.injected());
            QCOMPARE(e.folder(), folder);
            QCOMPARE(e.messages().size(), std::size_t(1));
            QVERIFY(e.lastMessage().contains(fresh));
        });
    }

    // The autosave's copy of a modified plan: a write that fails at any point is said once,
    // in the status line, and editing goes on with every row in place.
    void autosave() {
        walk("copie de secours", [&](int k, int& points) {
            FaultyEditor e;
            e.window->autosave().setBackground(false);
            e.click("Command4");
            e.click("Command4");
            auto& faulty = e.faults(k);
            e.window->autosave().saveNow();
            points = faulty.points();
            const QStringList copies =
                QDir(e.path(QStringLiteral("recovery"))).entryList({QStringLiteral("*.jsonl")});
            QVERIFY(e.messages().empty());
            if (k == 0) {
                QCOMPARE(copies.size(), 1);
                QVERIFY(e.window->statusBar()->currentMessage().isEmpty());
                return;
            }
            QVERIFY(faulty.injected());
            QVERIFY(copies.isEmpty());
            QVERIFY(e.window->statusBar()->currentMessage().contains(QStringLiteral("secours")));
            e.click("Command4");
            QCOMPARE(e.rows().size(), 3);
            QVERIFY(e.window->isWindowModified());
        });
    }

    void cleanupTestCase() { qInfo("window: %d faults injected in all", total_); }
};

}  // namespace qrn::test

QTEST_MAIN(qrn::test::TestWindowFaults)
#include "test_window_faults.moc"
