// readRecovery on any bytes a recovery copy may hold after a crash, a power loss or a hand that
// edited it. Either it fails naming the copy and a line that exists, or it returns rows that,
// written again (whole or a row at a time), read back the same.

#include <algorithm>
#include <string>

#include "base/codepage.h"
#include "base/errors.h"
#include "fuzz/fuzz_support.h"
#include "planfile/recovery_file.h"
#include "tests/support/memory_file_system.h"

using namespace qrn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    test::MemoryFileSystem files;
    files.files[u"copy.jsonl"] = decodeWindows1252(input);

    long lines = 0;
    for (auto stream = files.OpenTextFile(u"copy.jsonl"); !stream->AtEndOfStream(); ++lines)
        stream->ReadLine();

    RecoveredPlan plan;
    try {
        plan = readRecovery(u"copy.jsonl", files);
    } catch (const Error& error) {
        QRN_FUZZ_CHECK(error.file == u"copy.jsonl");
        // An empty copy has no line to name.
        QRN_FUZZ_CHECK(error.line >= std::min(lines, 1L) && error.line <= std::max(lines, 1L));
        return 0;
    }
    // The file line, the text line when there is one, a line a row.
    QRN_FUZZ_CHECK(plan.rows.size() + 1 + (plan.text ? 1 : 0) == std::size_t(lines));

    writeRecovery(u"again.jsonl", plan.file, plan.rows, files, plan.text);
    std::u16string pieces = recoveryHeader(plan.file, plan.text);
    for (const PlacementRow& row : plan.rows) appendRecoveryRow(pieces, row);
    QRN_FUZZ_CHECK(files.files[u"again.jsonl"] == pieces);

    const RecoveredPlan again = readRecovery(u"again.jsonl", files);
    QRN_FUZZ_CHECK(again.file == plan.file);
    QRN_FUZZ_CHECK(again.text == plan.text);
    QRN_FUZZ_CHECK(again.rows == plan.rows);
    return 0;
}
