// Every failure point of loading the catalogue, reading a plan ("Ouvrir"), saving it and writing
// its recovery copy, on the in-memory file system: a failed load leaves the table and the count
// as they were; a failed read leaves the list as it was when the file did not open, else the
// rows of the lines before the one that failed, and names the file and that line; a failed
// write leaves the file as it was.

#include <gtest/gtest.h>

#include <algorithm>

#include "base/errors.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_reader.h"
#include "planfile/plan_save.h"
#include "planfile/recovery_file.h"
#include "tests/support/catalogue_text.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/rows.h"

namespace qrn::test {
namespace {

using Operation = MemoryFileSystem::Operation;

std::vector<std::u16string> fieldsOf(const Catalogue& catalogue) {
    std::vector<std::u16string> all{std::u16string(1, char16_t(catalogue.count() + 2))};
    for (int i = 0; i < Catalogue::kSize; ++i)
        for (int f = 1; f <= 7; ++f) all.push_back(catalogue.field(i, f));
    return all;
}

std::vector<PlacementRow> rowsOf(const PlacementList& list) {
    std::vector<PlacementRow> rows;
    for (int p = 1; p <= list.count(); ++p) rows.push_back(list.row(p));
    return rows;
}

TEST(CoreFaults, EveryFailedCatalogueLoadLeavesTheTableAsItWas) {
    MemoryFileSystem memory;
    memory.files[u"QRN.txt"] =
        u"' catalogue\r\n\r\n" + catalogueText({record(u"a"), record(u"b", u"14"), record(u"c")});

    const int faults = walkFailurePoints([&](int point) {
        Catalogue catalogue;
        catalogue.assign({record(u"old1"), record(u"old2"), record(u"old3"), record(u"old4")});
        const auto before = fieldsOf(catalogue);
        memory.failAt(point);
        try {
            catalogue.load(memory, u"QRN.txt");
            EXPECT_EQ(point, 0);
            EXPECT_EQ(catalogue.count(), 2);
            EXPECT_EQ(catalogue.field(3, Field::PlanId), u"ID_old4");
        } catch (const FileError& error) {
            EXPECT_TRUE(memory.injected());
            EXPECT_EQ(error.file, u"QRN.txt");
            EXPECT_EQ(fieldsOf(catalogue), before) << "point " << point;
        }
        return memory.points();
    });
    // Opening, end tests and reads at record starts, inside records and at the end.
    EXPECT_EQ(faults, 1 + 2 * 2 + 3 * (1 + 7 + 6) + 1);
}

TEST(CoreFaults, EveryFailedPlanReadKeepsTheListOrTheRowsBeforeTheLine) {
    MemoryFileSystem memory;
    Catalogue catalogue;
    catalogue.assign({record(u"a"), record(u"b")});
    std::u16string plan;
    for (int line = 1; line <= 4; ++line)
        plan += u"1         " + std::u16string(1, char16_t(u'0' + line)) +
                u"         0         0         0         0         ID_b           tail b\r\n";
    memory.files[u"plan d'été.qrn"] = plan;

    PlacementList clean;
    openQRN(u"plan d'été.qrn", clean, catalogue, memory);
    ASSERT_EQ(clean.count(), 4);

    const int faults = walkFailurePoints([&](int point) -> int {
        PlacementList list;
        list.append(PlacementRow(u"avant", {u"9", u"9", u"9", u"9", u"9", u"9"},
                                 CatalogueIndex::number(0)));
        list.select(1);
        const auto before = rowsOf(list);
        memory.failAt(point);
        try {
            openQRN(u"plan d'été.qrn", list, catalogue, memory);
            EXPECT_EQ(point, 0);
            EXPECT_EQ(rowsOf(list), rowsOf(clean));
        } catch (const FileError& error) {
            EXPECT_EQ(error.file, u"plan d'été.qrn");
            if (memory.last() == Operation::Open) {
                EXPECT_EQ(rowsOf(list), before);
                EXPECT_EQ(list.selected(), 1);
            } else {
                const auto all = rowsOf(clean);
                EXPECT_TRUE(error.line >= 1 && error.line <= 5) << "point " << point;
                const long kept = std::clamp(error.line - 1, 0L, long(all.size()));
                EXPECT_EQ(rowsOf(list), std::vector<PlacementRow>(all.begin(), all.begin() + kept))
                    << "point " << point;
            }
        }
        return memory.points();
    });
    EXPECT_EQ(faults, 1 + 4 * 2 + 1);
}

// Saving a plan and writing a recovery copy: at every failure point the file at the name keeps
// the bytes it had (none for a new name) and the error names the file.
TEST(CoreFaults, EveryFailedSaveLeavesTheFileAsItWas) {
    Catalogue catalogue;
    catalogue.assign({record(u"a")});
    PlacementList list;
    list.assign({row(u"1"), row(u"2")});
    for (const std::u16string name : {u"plan.qrn", u"new.qrn"}) {
        for (const bool recovery : {false, true}) {
            MemoryFileSystem memory;
            memory.files[u"plan.qrn"] = u"earlier";
            const auto before = memory.files;
            walkFailurePoints([&](int point) {
                memory.failAt(point);
                try {
                    if (recovery)
                        writeRecovery(name, u"", {list.row(1), list.row(2)}, memory);
                    else
                        savePlan(name, list, catalogue, memory);
                    EXPECT_EQ(point, 0);
                    EXPECT_NE(memory.files, before);
                } catch (const FileError& error) {
                    EXPECT_TRUE(memory.injected());
                    EXPECT_EQ(error.file, name);
                    EXPECT_EQ(memory.files, before) << "point " << point;
                }
                memory.files = before;
                return memory.points();
            });
        }
    }
}

}  // namespace
}  // namespace qrn::test
