// The autosave on a disk that fills up: a copy that cannot be written whole never takes the
// place of the last good one.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/errors.h"
#include "base/text.h"
#include "document/autosave.h"
#include "document/plan_document.h"
#include "document/recovery_store.h"
#include "planfile/recovery_file.h"
#include "platform/qt/qt_file_system.h"
#include "platform/qt/std_random.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/rows.h"

namespace qrn::test {
namespace {

TEST(AutosaveDisk, AFailedCopyKeepsThePreviousOneWholeAndIsSaid) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("rec"));
    platform::QtFileSystem files;
    // In a child whose files cannot grow past 4 KiB: a first copy of 20 rows fits, the next of
    // 100 rows does not.
    const std::optional<std::u16string> failure = runWithFileSizeLimit(4 * 1024, [&] {
        // Never deleted, as in a window that dies: the copy and its lock stay.
        auto& random = *new platform::StdRandom;
        auto& store = *new RecoveryStore(folder, random, files);
        auto& doc = *new PlanDocument;
        auto& autosave = *new Autosave(doc, store);
        autosave.setBackground(false);
        std::u16string said;
        QObject::connect(&autosave, &Autosave::failed,
                         [&](const QString& message) { said = message.toStdU16String(); });
        const auto addRows = [&](int n) {
            doc.edit(QStringLiteral("Ajouter"), [&] {
                for (int i = 0; i < n; ++i) doc.list().append(row(u"1234567890"));
            });
        };
        addRows(20);
        autosave.saveNow();
        if (!said.empty()) throw FileError({}, u"first copy: " + said);
        addRows(80);  // under 16 KiB: a buffered writer would write it only at its commit
        autosave.saveNow();
        if (!said.empty()) throw FileError({}, said);
    });
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find(u"fichier trop grand"), std::u16string::npos) << toUtf8(*failure);
    EXPECT_EQ(failure->find(u"first copy"), std::u16string::npos);

    const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(left.filter(QStringLiteral(".jsonl")).size(), 1) << left.join(u' ').toStdString();
    EXPECT_EQ(left.size(), 2) << left.join(u' ').toStdString();  // the copy and its lock
    const RecoveredPlan plan = readRecovery(
        QDir(folder).filePath(left.filter(QStringLiteral(".jsonl")).at(0)).toStdU16String(), files);
    EXPECT_EQ(plan.rows.size(), 20u);
}

}  // namespace
}  // namespace qrn::test
