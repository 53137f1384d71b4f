#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "base/version.h"

namespace {

// One finished run of qrnplan: its exit status and everything it wrote.
struct QrnplanRun {
    int status = -1;
    QByteArray out, err;
};

// Runs the built qrnplan (or program) with the arguments and the bytes on stdin; its stdout
// goes to outputFile when one is given.
QrnplanRun runQrnplan(const QStringList& arguments, const QByteArray& input = {},
                      const QString& program = QStringLiteral(QRNPLAN_PATH),
                      const QString& outputFile = {}) {
    QProcess process;
    if (!outputFile.isEmpty()) process.setStandardOutputFile(outputFile);
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

// The catalogue file of these tests (7 entries; entry 5 shares the plan identifier of entry 1).
const QString kCatalogueFile = QStringLiteral(QRN_TEST_DATA_DIR "/cli_catalogue.txt");

// Three rows of the test catalogue in the writer's layout: an empty X and a Windows-1252 "été".
const QByteArray kPlan =
    "12        7         0         3         0         3         Camp           1 camp\r\n"
    "          5         1         1         \xe9t\xe9       1         Forge          3 forge\r\n"
    "64        64        5         5         5         5         Puits          4 puits\r\n";
const QByteArray kPlanJson =
    "{\"index\": 0, \"building\": \"Camp de base\", \"cells\": "
    "[\"12\",\"7\",\"0\",\"3\",\"0\",\"3\"]}\n"
    "{\"index\": 2, \"building\": \"Forge \xc3\xa0 outils\", "
    "\"cells\": [\"\",\"5\",\"1\",\"1\",\"\xc3\xa9t\xc3\xa9\",\"1\"]}\n"
    "{\"index\": 3, \"building\": \"Puits\", \"cells\": [\"64\",\"64\",\"5\",\"5\",\"5\",\"5\"]}\n";
// An input line of `qrnplan write`.
QByteArray row(const QByteArray& index, const QByteArray& cells = R"(["1","2","3","4","5","6"])") {
    return "{\"index\":" + index + ",\"cells\":" + cells + "}\n";
}
const QByteArray kRow = row("1");

class CliTest : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }
    static QByteArray contents(const QString& path) {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(none)");
    }
    static QrnplanRun run(QStringList arguments, const QByteArray& input = {}) {
        arguments << QStringLiteral("--catalogue") << kCatalogueFile;
        return runQrnplan(arguments, input);
    }

    QTemporaryDir dir_;
};

std::vector<int> indices(const QByteArray& jsonLines) {
    std::vector<int> result;
    for (const QByteArray& line : jsonLines.split('\n'))
        if (!line.isEmpty()) result.push_back(QJsonDocument::fromJson(line)["index"].toInt());
    return result;
}

TEST_F(CliTest, CatalogueListsThePickerEntries) {
    const struct {
        QStringList ages;
        std::vector<int> expected;
    } cases[] = {
        {{}, {0, 1, 2, 3, 4, 5, 6}},  // the fill at load ignores ages and marks
        {{"--ages", "none"}, {0, 3}},
        {{"--ages=iron,stone"}, {0, 1, 3, 4}},
        {{"--ages", "stone,tool,bronze,iron"}, {0, 1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        const QrnplanRun result = run(QStringList{"catalogue"} + c.ages);
        EXPECT_EQ(result.status, 0) << c.ages.join(' ').toStdString();
        EXPECT_EQ(indices(result.out), c.expected) << c.ages.join(' ').toStdString();
    }
    EXPECT_TRUE(
        run({"catalogue"}).out.contains("{\"index\": 2, \"name\": \"Forge \xc3\xa0 outils\"}\n"));
}

TEST_F(CliTest, ReadPrintsTheRowsBeforeABadLineThenTheError) {
    const QByteArray badLines[] = {"1 2 3 4 5 6 Nope x\r\n", "\r\n", "1 2 3 4 5 6 Camp\r\n"};
    for (const QByteArray& bad : badLines) {
        const QString path = file("bad.qrn", kPlan.left(kPlan.indexOf('\n') + 1) + bad + kPlan);
        const QrnplanRun result = run({"read", path});
        EXPECT_EQ(result.status, 1) << bad.toStdString();
        EXPECT_EQ(result.out, kPlanJson.left(kPlanJson.indexOf('\n') + 1));
        EXPECT_EQ(result.err.count('\n'), 1);
        EXPECT_TRUE(result.err.startsWith((path + ":2: ").toUtf8())) << result.err.toStdString();
    }
}

TEST_F(CliTest, ReadThenWriteGivesTheWriterLayout) {
    // Extra spaces and another plan tail read the same and come back in the writer's layout.
    const QByteArray handMade = QByteArray(kPlan).replace("1 camp", "autre").replace("64  ", "64 ");
    for (const QByteArray& plan : {kPlan, handMade}) {
        const QrnplanRun read = run({"read", file("plan.qrn", plan)});
        EXPECT_EQ(read.status, 0);
        EXPECT_EQ(read.out, kPlanJson);
        EXPECT_TRUE(read.err.isEmpty());
        const QrnplanRun written = run({"write"}, read.out);
        EXPECT_EQ(written.status, 0);
        EXPECT_EQ(written.out, kPlan);
    }
    // A text index and a number index write alike; other keys are ignored.
    const QrnplanRun fromFile =
        run({"write", file("rows.jsonl", row(R"(" 4")", R"(["1","2","3","4","5","6"],"x":1)"))});
    EXPECT_EQ(fromFile.out,
              "1         2         3         4         5         6         Tour   "
              "        5 tour\r\n");
}

TEST_F(CliTest, WriteFailureNamesTheInputLineAndWritesNothing) {
    const struct {
        QByteArray rows;
        const char* where;
    } cases[] = {
        {kRow + "{\"index\":1,\n", "-:2: JSON invalide à l'octet 12\n"},
        {"[1]\n", "-:1: "},
        {QByteArray(R"({"cells":["1","2","3","4","5","6"]})") + "\n", "-:1: "},
        {kRow + row("1", R"(["1","2","3","4","5"])"), "-:2: "},
        {kRow + row("1", R"(["1","2","3","4","5",6])"), "-:2: "},
        {row(R"("x")"), "-:1: "},
        {row("2.5"), "-:1: "},
        // The first entry above the count and the last index there can be; then the writer's.
        {row("7"), "-:1: l'entrée 7 n'existe pas"},
        {row("1000"), "-:1: l'entrée 1000 n'existe pas"},
        {kRow + " \t\r\n" + row("1001"), "-:3: "},  // blank lines counted
        {kRow + row("1", R"(["1","12345678901","3","4","5","6"])"), "-:2: "},
        {kRow + row("1", "[\"1\",\"2\",\"3\",\"4\",\"5\",\"\xe2\x98\x83\"]"), "-:2: "},
        {row("1", R"(["\ud800","2","3","4","5","6"])"), "-:1: ligne 1 du plan, colonne X : "},
        // Rows that would not read back as written.
        {kRow + row("1", R"(["1","2","3","4","5",""])"), "-:2: ligne 2 du plan, colonne O : "},
        {row("1", R"(["1234567890","2","3","4","5","6"])"), "-:1: ligne 1 du plan, colonne X : "},
    };
    for (const auto& c : cases) {
        const QrnplanRun result = run({"write"}, c.rows);
        EXPECT_EQ(result.status, 1) << c.rows.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << c.rows.toStdString();
        EXPECT_TRUE(result.err.startsWith(c.where)) << result.err.toStdString();
    }
    const QString rows = file("rows.jsonl", kRow + row("-1", R"(["","","","","",""])"));
    EXPECT_TRUE(run({"write", rows}).err.startsWith((rows + ":2: ").toUtf8()));
    EXPECT_EQ(runQrnplan({"write", "--catalogue", file("empty.txt", "")}, row("0")).err,
              "-:1: l'entrée 0 n'existe pas dans le catalogue : il est vide\n");
}

// --force writes what would not read back, one warning a row; -o replaces a file whole, and a
// failure (a refused row, a file size limit) leaves it as it was and nothing beside it.
TEST_F(CliTest, WriteForcedOrIntoAFile) {
    const QByteArray unreadable = row("1", R"(["1","2","3","4","5",""])");
    const QrnplanRun forced = run({"write", "--force"}, kRow + unreadable + unreadable);
    EXPECT_EQ(forced.status, 0);
    EXPECT_EQ(forced.out.count("\r\n"), 3);
    EXPECT_EQ(forced.err.count('\n'), 2);
    EXPECT_TRUE(forced.err.startsWith("-:2: ")) << forced.err.toStdString();

    const QString plan = file("plan.qrn", "old");
    const QByteArray rows = kRow.repeated(40);
    const QrnplanRun written = run({"write", "-o", plan}, rows);
    EXPECT_EQ(written.status, 0);
    EXPECT_TRUE(written.out.isEmpty() && written.err.isEmpty()) << written.err.toStdString();
    EXPECT_EQ(contents(plan), run({"write"}, rows).out);
    file("plan.qrn", "old");
    const QString limited = "ulimit -f 1; exec \"$0\" \"$@\"";
    const QrnplanRun failures[] = {
        run({"write", "-o", plan}, kRow + unreadable),
        runQrnplan(
            {"-c", limited, QRNPLAN_PATH, "write", "-o", plan, "--catalogue", kCatalogueFile}, rows,
            QStringLiteral("/bin/bash")),
    };
    for (const QrnplanRun& failed : failures) {
        EXPECT_EQ(failed.status, 1) << failed.err.toStdString();
        EXPECT_EQ(contents(plan), "old");
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
    EXPECT_TRUE(failures[1].err.startsWith(plan.toUtf8() + ": ")) << failures[1].err.toStdString();
    EXPECT_EQ(run({"read", plan, "-o", plan}).status, 2);
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    // Arguments separated by '|'.
    const auto split = [](const char* line) {
        return *line ? QString(line).split('|') : QStringList{};
    };
    for (const char* line :
         {"", "plan", "catalogue|--ages|stone,copper", "catalogue|--ages|", "catalogue|extra",
          "read", "read|a|b", "read|a|--ages|none", "write|a|b", "check", "check|--verbose|a"}) {
        const QrnplanRun result = run(split(line));
        EXPECT_EQ(result.status, 2) << line;
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_FALSE(result.err.isEmpty());
    }
    EXPECT_EQ(runQrnplan({"read", "--catalogue"}).status, 2);
    // "-" is standard input; after "--" every word is an operand.
    EXPECT_EQ(run({"write", "-"}, kRow).status, 0);
    EXPECT_TRUE(runQrnplan({"read", "--catalogue", kCatalogueFile, "--", "--help"})
                    .err.startsWith("--help: "));
    for (const char* line :
         {"--help", "catalogue|-h", "read|--help", "write|--help", "check|--help"}) {
        const QrnplanRun help = runQrnplan(split(line));
        EXPECT_EQ(help.status, 0) << line;
        EXPECT_TRUE(help.out.startsWith("Usage")) << line;
    }
    const QrnplanRun version = runQrnplan({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QByteArray("qrnplan " QRN_VERSION "\n"));
    EXPECT_TRUE(version.err.isEmpty());
}

TEST_F(CliTest, CheckReportsEveryProblemWithItsLine) {
    const QString plan = file("check.qrn",
                              "1234567890 2 3 4 5 6 Camp x\r\n"  // X of 10 characters
                              "1 2 3 4 5 6 Hutte x\r\n"  // shared with entry 5: reads as entry 1
                              "1 2 3 4 5 6 Puits x\r\n"
                              "1O 2 -3 4 5 6 Puits x\r\n"  // warnings: a letter O, a negative N
                              "1 2 3 4 5 6 Nope x\r\n");
    const QString missing = dir_.filePath("missing.qrn");
    const QrnplanRun result = run({"check", plan, file("good.qrn", kPlan), missing});
    EXPECT_EQ(result.status, 1);
    using Problem = std::tuple<QString, int, QString, QString>;  // with "severity"
    const auto problems = [](const QByteArray& out) {
        std::vector<Problem> found;
        for (const QByteArray& line : out.split('\n')) {
            if (line.isEmpty()) continue;
            const QJsonObject object = QJsonDocument::fromJson(line).object();
            EXPECT_FALSE(object["message"].toString().isEmpty());
            found.emplace_back(object["file"].toString(), object["line"].toInt(-1),
                               object["column"].toString(), object["severity"].toString());
        }
        return found;
    };
    const QString good = dir_.filePath("good.qrn");
    const std::vector<Problem> goodWarnings = {{good, 2, "X", "warning"},
                                               {good, 2, "E", "warning"}};
    std::vector<Problem> expected = {{plan, 1, "X", ""},
                                     {plan, 2, "identifiant de plan", ""},
                                     {plan, 4, "X", "warning"},
                                     {plan, 4, "N", "warning"},
                                     {plan, 5, "", ""}};
    expected.insert(expected.end(), goodWarnings.begin(), goodWarnings.end());
    expected.emplace_back(missing, -1, "", "");
    EXPECT_EQ(problems(result.out), expected);
    const QList<QByteArray> errors = result.err.split('\n');
    ASSERT_EQ(errors.size(), 3);  // two lines
    EXPECT_TRUE(errors[0].startsWith((plan + ":5: ").toUtf8()));
    EXPECT_TRUE(errors[1].startsWith((missing + ": ").toUtf8()));

    // Warnings alone (an empty X, an offset "été") leave the status at 0.
    const QrnplanRun warned = run({"check", good});
    EXPECT_EQ(warned.status, 0);
    EXPECT_EQ(problems(warned.out), goodWarnings);
}

#ifndef _WIN32  // /dev/full
TEST_F(CliTest, OutputThatCannotBeWrittenFailsWithTheSystemsReason) {
    const QString plan = file("plan.qrn", kPlan);
    for (const QStringList& arguments : {QStringList{"--help"},
                                         {"--version"},
                                         {"write", "--help"},
                                         {"read", plan},
                                         {"check", plan, dir_.filePath("missing.qrn")}}) {
        const QrnplanRun result =
            runQrnplan(arguments + QStringList{"--catalogue", kCatalogueFile}, {},
                       QStringLiteral(QRNPLAN_PATH), QStringLiteral("/dev/full"));
        EXPECT_EQ(result.status, 1) << arguments.join(' ').toStdString();
        EXPECT_EQ(result.err.count("qrnplan: impossible d'écrire sur la sortie standard : plus de "
                                   "place sur le disque\n"),
                  1)
            << result.err.toStdString();
    }
    // Past a file size limit, SIGXFSZ at its default: the same failure, not a death by signal.
    const QrnplanRun limited = runQrnplan(
        {"--fsize=10", QStringLiteral(QRNPLAN_PATH), "read", plan, "--catalogue", kCatalogueFile},
        {}, QStringLiteral("prlimit"), dir_.filePath("out.jsonl"));
    EXPECT_EQ(limited.status, 1);
    EXPECT_TRUE(limited.err.contains("sortie standard : fichier trop grand"))
        << limited.err.toStdString();
}
#endif

TEST_F(CliTest, MessagesCutTheValuesTheyQuote) {
    const QByteArray huge(100000, '9');
    const QByteArray cut = QByteArray(40, '9') + "\xe2\x80\xa6 \xc2\xbb";  // 40 digits, "… »"
    const QrnplanRun written = run({"write"}, row("1", "[\"" + huge + R"(","2","3","4","5","6"])"));
    const QrnplanRun checked = run(
        {"check", file("long.qrn", huge + " 2 3 4 5 6 Camp x\r\n1 2 3 4 5 6 " + huge + " x\r\n")});
    for (const QByteArray& text : {written.err, checked.out, checked.err}) {
        EXPECT_LT(text.size(), 500) << text.left(500).toStdString();
        EXPECT_TRUE(text.contains(cut)) << text.left(500).toStdString();
    }
}

#ifndef _WIN32  // names as bytes and a shell: POSIX only
// A name in bytes that are not UTF-8 (here Latin-1) is opened by its bytes, also through a
// Windows drive path, and shown with them escaped; the shell's pattern passes the bytes, which
// QProcess could not.
TEST_F(CliTest, FileNamesThatAreNotUtf8AreFoundAndShownEscaped) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("drive_c"));
    const QByteArray name = dir_.path().toUtf8() + "/drive_c/lignes-\xe9t\xe9.jsonl";
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, kRow.constData(), std::size_t(kRow.size())), kRow.size());
    ASSERT_EQ(::write(fd, "[1]\n", 4), 4);
    ::close(fd);
    const struct {
        const char* script;
        QByteArray shown;
    } cases[] = {
        {R"(exec "$0" write "$1"/drive_c/lignes-*.jsonl --catalogue "$2")",
         dir_.path().toUtf8() + "/drive_c/lignes-\\xE9t\\xE9.jsonl:2: "},
        {R"(cd "$1"/drive_c && for f in lignes-*; do WINEPREFIX="$1" exec "$0" write "C:\\$f" \
            --catalogue "$2"; done)",
         "C:\\lignes-\\xE9t\\xE9.jsonl:2: "},
    };
    for (const auto& c : cases) {
        const QrnplanRun result =
            runQrnplan({"-c", c.script, QStringLiteral(QRNPLAN_PATH), dir_.path(), kCatalogueFile},
                       {}, QStringLiteral("/bin/sh"));
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.err.startsWith(c.shown)) << result.err.toStdString();
    }
    ::unlink(name.constData());  // QTemporaryDir cannot remove it
}
#endif

// Without --catalogue: QRN.txt beside the program, else the installed ../lib/qrnplg/QRN.txt.
TEST_F(CliTest, DefaultCatalogueIsFoundFromTheProgramsFolder) {
    const struct {
        const char* program;
        const char* catalogue;
    } layouts[] = {{"qrnplan", "QRN.txt"}, {"bin/qrnplan", "lib/qrnplg/QRN.txt"}};
    for (const auto& layout : layouts) {
        QTemporaryDir root;
        const QString program = root.filePath(layout.program);
        QDir(root.path()).mkpath(QFileInfo(program).path());
        ASSERT_TRUE(QFile::copy(QStringLiteral(QRNPLAN_PATH), program));
        EXPECT_TRUE(runQrnplan({"catalogue"}, {}, program).err.contains("QRN.txt"));

        QDir(root.path()).mkpath(QFileInfo(root.filePath(layout.catalogue)).path());
        ASSERT_TRUE(QFile::copy(kCatalogueFile, root.filePath(layout.catalogue)));
        EXPECT_EQ(indices(runQrnplan({"catalogue"}, {}, program).out).size(), 7u);
    }
}

TEST_F(CliTest, ShippedSamplePlanMatchesItsRowsAndEveryShippedEntryReadsBack) {
    const QString catalogue = QStringLiteral(QRN_SHIPPED_DATA_DIR "/QRN.txt");
    const QString samples = QStringLiteral(QRN_SHIPPED_DATA_DIR "/samples/");
    QFile plan(samples + "exemple.qrn");
    ASSERT_TRUE(plan.open(QIODevice::ReadOnly));
    EXPECT_EQ(runQrnplan({"write", samples + "exemple.jsonl", "--catalogue", catalogue}).out,
              plan.readAll());

    const QrnplanRun entries = runQrnplan({"catalogue", "--catalogue", catalogue});
    QByteArray rows;
    for (int index : indices(entries.out)) rows += row(QByteArray::number(index));
    const QrnplanRun written = runQrnplan({"write", "--catalogue", catalogue}, rows);
    const QString all = file("all.qrn", written.out);
    const QrnplanRun read = runQrnplan({"read", all, "--catalogue", catalogue});
    EXPECT_EQ(indices(read.out), indices(entries.out));  // every plan identifier is unique
    EXPECT_GE(indices(read.out).size(), 40u);
    EXPECT_TRUE(runQrnplan({"check", all, "--catalogue", catalogue}).out.isEmpty());
}

// The sample plan's regions span X 1 to 69 and Y 3 to 69; with a tile of margin, 710 pixels
// wide is 10 a tile and tile (x, y) has its centre at pixel (10x + 5, 705 - 10y).
TEST_F(CliTest, ImageDrawsTheSamplePlanAsPngOrSvg) {
    const QString catalogue = QStringLiteral(QRN_SHIPPED_DATA_DIR "/QRN.txt");
    const QString plan = QStringLiteral(QRN_SHIPPED_DATA_DIR "/samples/exemple.qrn");
    const QString png = dir_.filePath("plan.png"), svg = dir_.filePath("plan.svg");
    const QrnplanRun drawn =
        runQrnplan({"image", plan, png, "--width", "710", "--catalogue", catalogue});
    EXPECT_EQ(drawn.status, 0);
    EXPECT_TRUE(drawn.err.isEmpty()) << drawn.err.toStdString();
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(710, 690));
    const struct {
        int x, y;
        QRgb colour;
    } markers[] = {{22, 9, qRgb(46, 139, 87)},    // Marché, Tool Age
                   {40, 25, qRgb(205, 127, 50)},  // Temple, Bronze Age
                   {64, 64, qRgb(70, 100, 180)},  // Merveille, Iron Age
                   {10, 11, qRgb(128, 128, 128)}};
    for (const auto& m : markers)
        EXPECT_EQ(image.pixel(10 * m.x + 5, 705 - 10 * m.y), m.colour) << m.x << "," << m.y;

    if (!QRN_HAVE_SVG) {  // a build without Qt SVG says so
        EXPECT_TRUE(runQrnplan({"image", plan, svg, "--catalogue", catalogue})
                        .err.contains("d'image SVG"));
        return;
    }
    EXPECT_EQ(runQrnplan({"image", plan, svg, "--catalogue", catalogue}).status, 0);
    QFile svgFile(svg);
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svgFile);
    int rects = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"rect") ++rects;
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(rects, 8);

    EXPECT_EQ(run({"image", plan, dir_.filePath("plan.bmp")}).status, 1);
    EXPECT_EQ(run({"image", plan, png, "--width", "0"}).status, 2);
    EXPECT_EQ(run({"read", plan, "--width", "100"}).status, 2);
#ifndef _WIN32  // a size limit through the shell
    // Failures: the picture's file as it was, the reason on stderr, the usual statuses.
    const QString old = file("old.png", "old");
    const QString limited = "trap '' XFSZ; ulimit -f 8; exec \"$0\" \"$@\"";
    const QrnplanRun full =
        runQrnplan({"-c", limited, QRNPLAN_PATH, "image", plan, old, "--catalogue", catalogue}, {},
                   QStringLiteral("/bin/bash"));
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(full.err.startsWith(old.toUtf8() + ": ")) << full.err.toStdString();
    QFile oldFile(old);
    ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(oldFile.readAll(), "old");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 3);  // no temporary left
#endif
    // The width's bounds, each side: a width taken goes on to the missing plan (status 1).
    for (const auto& [width, status] :
         {std::pair{"15", 2}, {"16", 1}, {"16x", 2}, {"16384", 1}, {"16385", 2}})
        EXPECT_EQ(run({"image", "missing.qrn", png, "--width", width}).status, status) << width;
}

}  // namespace
