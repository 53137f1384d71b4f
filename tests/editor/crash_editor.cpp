// An editor window in a process of its own, for the crash test.
//   crash_editor edit FOLDER     adds three rows, waits for the autosave, prints "saved" and
//                                runs until killed
//   crash_editor recover FOLDER  opens a window that answers "Récupérer", prints its rows,
//                                whether it is modified and its file
// FOLDER holds QRN.txt and the recovery folder.

#include <QComboBox>
#include <QDir>
#include <QTest>
#include <cstdio>

#include "document/plan_document.h"
#include "tests/editor/test_qrn_fixture.h"

using namespace qrn;
using namespace qrn::test;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    writeBytes(QDir(folder).filePath(QStringLiteral("QRN.txt")), testCatalogue());
    TestPlatform platform;
    platform.application.path = u16(folder);
    ModuleState state;
    state.recoveryFolder = QDir(folder).filePath(QStringLiteral("recovery"));
    state.autosaveIntervalMs = 50;
    if (mode == QLatin1String("recover"))
        platform.recorder.recoveryChoices = {platform::RecoveryChoice::Recover};
    auto* window = new QRN(platform, state);
    window->show();
    QTest::qWait(50);  // the window offers what it recovered once it is on screen
    if (mode == QLatin1String("edit")) {
        window->document().setFileName(u"plan.qrn");
        for (const char* x : {"1", "22", "x\xC2\xA0y"}) {
            auto* field = child<QLineEdit>(window, "Text1");
            field->setText(QString::fromUtf8(x));
            child<QPushButton>(window, "Command4")->click();
        }
        const QDir recovery(state.recoveryFolder);
        for (int waited = 0; recovery.entryList({QStringLiteral("*.jsonl")}).isEmpty();
             waited += 20) {
            if (waited > 10000) return 1;
            QTest::qWait(20);
        }
        QTest::qWait(200);  // the copy is complete once committed; give the rename its time
        std::puts("saved");
        std::fflush(stdout);
        return app.exec();
    }
    for (const std::u16string& message : platform.recorder.messages)
        std::printf("message: %s\n", QString::fromStdU16String(message).toUtf8().constData());
    for (const QString& row : rowsOf(window->list())) std::puts(row.toUtf8().constData());
    std::printf("modified=%d file=%s\n", window->isWindowModified() ? 1 : 0,
                QString::fromStdU16String(window->currentFile()).toUtf8().constData());
    return 0;
}
