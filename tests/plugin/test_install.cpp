// `cmake --install` into a temporary prefix lays out the plug-in folder and the programs, and
// the installed qrnplan finds the installed catalogue.

#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

}  // namespace

class TestInstall : public QObject {
    Q_OBJECT

private:
    QTemporaryDir prefix;

private slots:
    void initTestCase() {
        const Run install =
            run(QStringLiteral(QRN_CMAKE_COMMAND),
                {"--install", QStringLiteral(QRN_BUILD_DIR), "--prefix", prefix.path()});
        QVERIFY2(install.exitCode == 0, install.out + install.err);
    }

    void layout() {
        for (const char* file :
             {"lib/qrnplg/libQRNPlg.so", "lib/qrnplg/QRN.txt", "lib/qrnplg/Help/QRN1.htm",
              "bin/qrnhost", "share/applications/io.github.qrnplg.QRNPlg.desktop",
              "share/metainfo/io.github.qrnplg.QRNPlg.metainfo.xml",
              "share/icons/hicolor/48x48/apps/qrnplg.png",
              "share/icons/hicolor/scalable/apps/qrnplg.svg", "share/man/man1/qrnplan.1.gz",
              "share/man/man1/qrnhost.1.gz", "share/doc/qrnplg/copyright",
              "share/doc/qrnplg/changelog.Debian.gz"})
            QVERIFY2(QFileInfo(prefix.filePath(file)).isFile(), file);
    }

    void installedQrnplanReadsTheInstalledCatalogue() {
#ifndef QRN_HAVE_QRNPLAN
        QSKIP("qrnplan is not part of this build yet");
#endif
        const Run catalogue = run(prefix.filePath("bin/qrnplan"), {"catalogue"});
        QVERIFY2(catalogue.exitCode == 0, catalogue.err);
        QVERIFY(catalogue.out.startsWith('{'));
        QVERIFY(catalogue.out.contains("{\"index\": 0, \"name\": \"Centre-ville\"}"));
    }

    // Without a display the host says so in one line and names the command-line tool.
    void installedHostWithoutDisplay() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        const Run host = run(prefix.filePath("bin/qrnhost"), {}, env);
        QCOMPARE(host.exitCode, 2);
        QCOMPARE(host.err.count('\n'), 1);
        QVERIFY(host.err.contains("qrnplan"));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
