#include "qrnplan_run.h"

#include <QProcess>

QStringList QrnplanRun::errLines() const {
    QStringList lines = QString::fromUtf8(err).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

QrnplanRun runQrnplan(const QStringList& arguments, const QByteArray& input,
                      const QString& program) {
    QProcess process;
    process.start(program, arguments);
    QrnplanRun run;
    if (!process.waitForStarted(-1)) return run;
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString testCatalogue() {
    return QStringLiteral(QRN_TEST_DATA_DIR "/cli_catalogue.txt");
}
