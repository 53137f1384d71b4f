#include <gtest/gtest.h>

#include "base/errors.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_save.h"
#include "planfile/plan_text.h"
#include "planfile/recovery_file.h"
#include "tests/support/failure.h"
#include "tests/support/memory_file_system.h"

namespace qrn {
namespace {

class WorkflowTest : public ::testing::Test {
protected:
    WorkflowTest() {
        catalogue.assign({{u"-", u"Alpha", u"101", u"", u"15", u"", u"Maison"},
                          {u"-", u"Beta", u"102", u"", u"14", u"", u"Tour"}});
    }
    void add(std::u16string_view x, CatalogueIndex index = CatalogueIndex::number(0)) {
        list.append(PlacementRow(u"Maison", {x, u"7", u"0", u"3", u"0", u"3"}, index));
    }
    Catalogue catalogue;
    PlacementList list;
    test::MemoryFileSystem files;
};

TEST_F(WorkflowTest, SavePlanWritesTheWholeTextOrLeavesTheFile) {
    add(u"12");
    savePlan(u"p.qrn", list, catalogue, files);
    const std::u16string saved = files.files.at(u"p.qrn");
    EXPECT_EQ(saved.size(), 80u);

    // Each refusal names its row and column (or the file) and leaves the earlier bytes.
    for (const char16_t* cell : {u"Ω", u"12345678901"}) {
        list.clear();
        add(u"1");
        add(cell);
        const Error e = test::failureOf([&] { savePlan(u"p.qrn", list, catalogue, files); });
        EXPECT_EQ(e.kind(), Error::Kind::InvalidArgument);
        EXPECT_EQ(e.row, 2);
        EXPECT_EQ(e.column, u"X");
        EXPECT_TRUE(e.file.empty());
        EXPECT_EQ(files.files.at(u"p.qrn"), saved);
    }

    // Every row is checked before the file is touched, so writing in place can never stop half
    // way on a refused row.
    for (const char16_t* cell : {u"Ω", u"12345678901"}) {
        list.clear();
        for (int r = 1; r <= 2000; ++r) add(r == 1000 ? cell : u"1");
        files.failAt(0);
        const Error e = test::failureOf([&] { savePlan(u"p.qrn", list, catalogue, files); });
        EXPECT_EQ(e.row, 1000);
        EXPECT_EQ(files.points(), 0);
    }
}

TEST_F(WorkflowTest, PlanTextReadsLikeAFileAndNamesTheBadLine) {
    const std::u16string line = u"1 2 3 4 5 6 Alpha 101";
    const PlacementList::Rows rows =
        readPlanText(line + u"\r\n" + line + u"\n" + line + u"\r" + line, catalogue);
    EXPECT_EQ(rows.size(), 4u);
    EXPECT_EQ(readPlanText(u"", catalogue).size(), 0u);
    const std::u16string text = line + u"\r\n" + u"1 2 3 4 5 6 Gamma 1\n" + line;
    const Error e = test::failureOf([&] { readPlanText(text, catalogue); });
    EXPECT_EQ(e.line, 2);
    EXPECT_TRUE(e.file.empty());
    EXPECT_EQ(lineOf(text, e.line), u"1 2 3 4 5 6 Gamma 1");
    EXPECT_EQ(lineOf(text, 3), line);
    EXPECT_EQ(lineOf(text, 4), u"");
}

TEST_F(WorkflowTest, RecoveryKeepsEveryCellExactly) {
    const std::u16string odd = u"\"\\ é\x1F\x7F\xD800Ω\r\n";
    add(odd);
    add(u"12345678901234", CatalogueIndex::text(1));
    add(u"", CatalogueIndex::number(-19));
    writeRecovery(u"r.jsonl", u"C:\\plans\\été.qrn",
                  PlacementList::Rows{list.row(1), list.row(2), list.row(3)}, files);
    for (const char16_t c : files.files.at(u"r.jsonl")) EXPECT_TRUE(c < 0x7F) << int(c);
    const RecoveredPlan plan = readRecovery(u"r.jsonl", files);
    EXPECT_EQ(plan.file, u"C:\\plans\\été.qrn");
    ASSERT_EQ(plan.rows.size(), 3u);
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(plan.rows[std::size_t(p - 1)], list.row(p));
    EXPECT_TRUE(plan.rows[1].index().isText());

    files.files[u"bad.jsonl"] = u"{\"file\": \"\"}\r\n{\"index\": 0, \"building\": \"x\"}\r\n";
    const Error bad = test::failureOf([&] { readRecovery(u"bad.jsonl", files); });
    EXPECT_EQ(bad.kind(), Error::Kind::InvalidArgument);
    EXPECT_EQ(bad.file, u"bad.jsonl");
    EXPECT_EQ(bad.line, 2);
}

}  // namespace
}  // namespace qrn
