// Bad inputs through the real Qt file system: each file is read as a catalogue and as a plan,
// and either reads correctly or fails with a clear typed error that names the file and, for a
// bad line, the line; a failure leaves the catalogue table, or the list before the bad line,
// as it should. None may crash or hang.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <optional>

#include "base/codepage.h"
#include "base/errors.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_reader.h"
#include "platform/qt/qt_file_system.h"
#include "tests/support/catalogue_text.h"
#include "tests/support/qt_files.h"

namespace qrn::test {
namespace {

constexpr std::size_t kMiB = 1 << 20;

// What reading a file gives: a count (catalogue entries minus one, or rows), or a failure of
// this kind at this line (0: no line) with that many rows read before it.
struct Outcome {
    std::optional<Error::Kind> failure;
    long line = 0;
    long count = 0;
};
Outcome reads(long count) {
    return {std::nullopt, 0, count};
}
Outcome fails(Error::Kind kind, long line, long rowsBefore = 0) {
    return {kind, line, rowsBefore};
}

using Kind = Error::Kind;

std::string planLine(const std::string& x, const std::string& id, const std::string& tail) {
    std::string line = x;
    line.resize(std::max<std::size_t>(10, x.size() + 1), ' ');
    line += "2         3         4         5         6         ";
    return line + id + std::string(15 - std::min<std::size_t>(14, id.size()), ' ') + tail + "\r\n";
}

std::string repeated(const std::string& part, std::size_t times) {
    std::string all;
    all.reserve(part.size() * times);
    for (std::size_t i = 0; i < times; ++i) all += part;
    return all;
}

std::string catalogueBytes(const std::vector<Record>& records) {
    return platform::encodeWindows1252(catalogueText(records));
}

// A file read as a catalogue and as a plan; planBytes, when given, is read as the plan instead.
struct BadInput {
    const char* name;
    std::string bytes;
    Outcome asCatalogue;
    Outcome asPlan;
    std::optional<std::string> planBytes = std::nullopt;
};

void PrintTo(const BadInput& input, std::ostream* out) {
    *out << input.name;
}

std::vector<BadInput> badInputs() {
    const std::string nul(4096, '\0');
    const std::string mib(kMiB, 'n');
    return {
        {"empty file", "", reads(-1), reads(0)},
        {"only CR bytes", std::string(10000, '\r'), reads(-1), fails(Kind::InvalidArgument, 1)},
        {"only NUL bytes", nul, fails(Kind::InvalidArgument, 1), fails(Kind::InvalidArgument, 1)},
        {"NUL bytes inside values",
         catalogueBytes({record(u"a"),
                         {u"-", std::u16string(u"ID_\0", 4), u"t", u"", u"15", u"",
                          std::u16string(u"N\0", 2)}}),
         reads(1), reads(1), planLine(std::string("\0\0", 2), "ID_a", std::string("t\0", 2))},
        {"line of 1 MiB without a space", std::string(kMiB, 'x'), fails(Kind::InvalidArgument, 1),
         fails(Kind::InvalidArgument, 1)},
        {"line of 1 MiB as a display name or plan tail",
         catalogueBytes({{u"-", u"ID_a", u"t", u"", u"15", u"", std::u16string(kMiB, u'n')}}),
         reads(0), reads(1), planLine("1", "ID_a", mib)},
        {"100,000 plan lines", repeated(planLine("1", "ID_a", "t"), 100000),
         fails(Kind::Index, 7008), reads(100000)},
        {"100,000 comment lines then 3 records",
         repeated("' commentaire\r\n", 100000) +
             catalogueBytes({record(u"a"), record(u"b"), record(u"c")}),
         reads(2), fails(Kind::InvalidArgument, 1)},
    };
}

class BadInputs : public ::testing::TestWithParam<BadInput> {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::u16string write(const QString& name, const std::string& bytes) {
        writeBytes(dir.filePath(name), QByteArray::fromStdString(bytes));
        return u16(dir.filePath(name));
    }

    QTemporaryDir dir;
    platform::QtFileSystem files;
};

// The catalogue table before a load, to check that a failed load leaves it.
Catalogue earlier() {
    Catalogue catalogue;
    catalogue.assign({record(u"a"), record(u"x"), record(u"y")});
    return catalogue;
}

Outcome loadCatalogue(platform::FileSystem& files, const std::u16string& path) {
    Catalogue catalogue = earlier();
    try {
        catalogue.load(files, path);
        return reads(catalogue.count());
    } catch (const Error& error) {
        EXPECT_EQ(error.file, path);
        EXPECT_EQ(catalogue.count(), 2);
        EXPECT_EQ(catalogue.field(1, Field::PlanId), u"ID_x");
        return fails(error.kind(), error.line);
    }
}

Outcome readPlan(platform::FileSystem& files, const std::u16string& path) {
    PlacementList list;
    list.append(
        PlacementRow(u"avant", {u"9", u"9", u"9", u"9", u"9", u"9"}, CatalogueIndex::number(0)));
    try {
        openQRN(path, list, earlier(), files);
        return reads(list.count());
    } catch (const Error& error) {
        EXPECT_EQ(error.file, path);
        return fails(error.kind(), error.line, list.count());
    }
}

void expectOutcome(const Outcome& got, const Outcome& expected, const char* as) {
    EXPECT_EQ(got.failure, expected.failure) << as;
    EXPECT_EQ(got.line, expected.line) << as;
    EXPECT_EQ(got.count, expected.count) << as;
}

TEST_P(BadInputs, ReadAsCatalogueAndAsPlan) {
    const BadInput& input = GetParam();
    const std::u16string path = write(QStringLiteral("input"), input.bytes);
    expectOutcome(loadCatalogue(files, path), input.asCatalogue, "as catalogue");
    const std::u16string plan =
        input.planBytes ? write(QStringLiteral("plan"), *input.planBytes) : path;
    expectOutcome(readPlan(files, plan), input.asPlan, "as plan");
}

INSTANTIATE_TEST_SUITE_P(Files, BadInputs, ::testing::ValuesIn(badInputs()), [](const auto& test) {
    std::string name;
    for (const char c : std::string(test.param.name))
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    return name;
});

// A file that opens but whose every read fails: a FileError at line 1, the table as it was and
// the list without the rows before the first line, that is none.
TEST_F(BadInputs, AFileWhoseReadsFailIsAFileErrorAtItsFirstLine) {
    expectOutcome(loadCatalogue(files, u"/proc/self/mem"), fails(Kind::File, 1), "as catalogue");
    expectOutcome(readPlan(files, u"/proc/self/mem"), fails(Kind::File, 1, 0), "as plan");
}

TEST_F(BadInputs, NamesWithSpacesAndNonAsciiCharactersReadAndSave) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dossier à espaces ΩЖ")));
    const QString folder = QStringLiteral("dossier à espaces ΩЖ/");
    const std::u16string catalogue =
        write(folder + QStringLiteral("QRN été.txt"), catalogueBytes({record(u"a")}));
    const std::u16string plan =
        write(folder + QStringLiteral("plan d'été € 東.qrn"), planLine("1", "ID_a", "t"));
    expectOutcome(loadCatalogue(files, catalogue), reads(0), "as catalogue");
    expectOutcome(readPlan(files, plan), reads(1), "as plan");

    const std::u16string saved = plan + u" copie";
    auto out = files.CreateOutputFile(saved, platform::CreateMode::CreateNew);
    out->Write(u"1 2 3 4 5 6 ID_a t\r\n");
    out->Commit();
    expectOutcome(readPlan(files, saved), reads(1), "saved copy");
}

}  // namespace
}  // namespace qrn::test
