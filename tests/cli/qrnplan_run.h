#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One finished run of qrnplan: its exit status and everything it wrote.
struct QrnplanRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
    // stderr split at line ends, without them.
    QStringList errLines() const;
};

// Runs the built qrnplan (or program) with the arguments and the bytes on stdin, and waits
// for it to end.
QrnplanRun runQrnplan(const QStringList& arguments, const QByteArray& input = {},
                      const QString& program = QStringLiteral(QRNPLAN_PATH));

// The test catalogue (7 entries; entry 5 shares the plan identifier of entry 1).
QString testCatalogue();
