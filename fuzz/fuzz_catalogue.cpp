// The catalogue loader on any bytes. The file's lines through the real Qt text stream over a
// file must be those of the in-memory stand-in (which the loader then reads, as it is faster);
// a failed load must leave the table and the count exactly as they were; a successful one
// overwrites entries 0 to the count, keeps those above it, and finds each plan identifier at
// its lowest entry.
//
// An input whose first byte is 0x01 is placed, for the Qt stream, just before the Qt stream's chunk
// boundary, behind a long comment line ending 0 to 255 bytes (the second byte) before it, so small
// inputs reach the code that joins a line split over two chunks. Any other input is the file
// itself.

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <algorithm>
#include <optional>
#include <vector>

#include "base/codepage.h"
#include "base/errors.h"
#include "core/catalogue.h"
#include "fuzz/fuzz_support.h"
#include "platform/qt/qt_file_system.h"
#include "platform/qt/qt_text_stream.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/qt_files.h"

using namespace qrn;

namespace {

struct Outcome {
    std::optional<Error::Kind> failure;
    long line = 0;
};

// The state before each load: three records of its own over whatever the earlier inputs left
// above them. The tables are made once: a fresh table of 1001 entries costs more than a run.
void resetToEarlier(Catalogue& catalogue) {
    std::vector<std::array<std::u16string, 7>> records(3);
    for (std::size_t i = 0; i < records.size(); ++i)
        for (std::size_t f = 0; f < 7; ++f)
            records[i][f] = u"avant " + std::u16string(1, char16_t(u'0' + i * 7 + f));
    catalogue.assign(records);
}

// Entries 0 to last (the only ones a load of that many lines can write) and the count.
struct Snapshot {
    std::int16_t count;
    std::vector<std::array<std::u16string, 7>> entries;
    Snapshot(const Catalogue& catalogue, int last) : count(catalogue.count()) {
        for (int i = 0; i <= last; ++i) {
            auto& entry = entries.emplace_back();
            for (int f = 1; f <= 7; ++f) entry[std::size_t(f - 1)] = catalogue.field(i, f);
        }
    }
    bool sameEntry(const Catalogue& catalogue, int i) const {
        for (int f = 1; f <= 7; ++f)
            if (catalogue.field(i, f) != entries[std::size_t(i)][std::size_t(f - 1)]) return false;
        return true;
    }
};

Outcome load(Catalogue& catalogue, platform::FileSystem& files, const std::u16string& path) {
    Outcome outcome;
    try {
        catalogue.load(files, path);
    } catch (const Error& error) {
        outcome.failure = error.kind();
        outcome.line = error.line;
        QRN_FUZZ_CHECK(error.file == path);
    }
    return outcome;
}

std::vector<std::u16string> linesOf(platform::FileSystem& files, const std::u16string& path) {
    std::vector<std::u16string> lines;
    auto stream = files.OpenTextFile(path);
    while (!stream->AtEndOfStream()) lines.push_back(stream->ReadLine());
    return lines;
}

// In memory where the system offers a RAM folder: a disk write a run would slow fuzzing down.
const std::u16string& scratchFile() {
    static const QString folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static const std::u16string path =
        (folder +
         QStringLiteral("/qrn-fuzz-catalogue-%1.txt").arg(QCoreApplication::applicationPid()))
            .toStdU16String();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    std::string filler;
    if (size > 0 && data[0] == 0x01) {
        in.byte();
        const std::size_t start = std::size_t(platform::QtTextStream::kChunkSize) - in.byte();
        filler = "'" + std::string(start - 2, 'x') + "\n";
    }
    const std::string_view bytes = in.rest();

    // The stand-in reads the bytes alone: the filler is one LF-ended line before them, which the
    // Qt stream must give first.
    test::MemoryFileSystem memory;
    const std::u16string memoryPath = u"QRN.txt";
    memory.files[memoryPath] = platform::decodeWindows1252(bytes);
    platform::QtFileSystem qt;
    const std::u16string& diskPath = scratchFile();
    const std::string file = filler + std::string(bytes);
    test::writeBytes(QString::fromStdU16String(diskPath),
                     QByteArray::fromRawData(file.data(), qsizetype(file.size())));

    const std::vector<std::u16string> lines = linesOf(memory, memoryPath);
    std::vector<std::u16string> diskLines = linesOf(qt, diskPath);
    if (!filler.empty()) {
        QRN_FUZZ_CHECK(!diskLines.empty() && diskLines.front().size() == filler.size() - 1);
        diskLines.erase(diskLines.begin());
    }
    QRN_FUZZ_CHECK(lines == diskLines);

    static Catalogue fromMemory;
    resetToEarlier(fromMemory);
    const int last = std::min(Catalogue::kMaxIndex, std::max(2, int(lines.size())));
    const Snapshot before(fromMemory, last);
    const Outcome a = load(fromMemory, memory, memoryPath);

    if (a.failure) {
        QRN_FUZZ_CHECK(fromMemory.count() == before.count);
        for (int i = 0; i <= last; ++i) QRN_FUZZ_CHECK(before.sameEntry(fromMemory, i));
        QRN_FUZZ_CHECK(a.line > 0);
        return 0;
    }
    QRN_FUZZ_CHECK(fromMemory.count() >= -1 && fromMemory.count() <= Catalogue::kMaxIndex);
    for (int i = 0; i <= fromMemory.count(); ++i) {
        const std::u16string& mark = fromMemory.field(i, Field::ListingMark);
        QRN_FUZZ_CHECK(!mark.empty() && mark != u" " && mark[0] != u'\'');
        // The lowest entry with a plan identifier is the one found by it.
        const auto found = fromMemory.findPlanId(fromMemory.field(i, Field::PlanId));
        QRN_FUZZ_CHECK(found && *found <= i &&
                       fromMemory.field(*found, Field::PlanId) ==
                           fromMemory.field(i, Field::PlanId));
    }
    for (int i = fromMemory.count() + 1; i <= last; ++i)
        QRN_FUZZ_CHECK(before.sameEntry(fromMemory, i));
    return 0;
}
