#include "planfile/recovery_file.h"

#include <memory>

#include "base/errors.h"
#include "base/text.h"
#include "planfile/json_row.h"
#include "platform/platform.h"

namespace qrn {

namespace {

// The header lines: {"file": "..."} and {"text": "..."}.
constexpr std::u16string_view kFileStart = u"{\"file\": ", kTextStart = u"{\"text\": ";

void appendHeaderLine(std::u16string& out, std::u16string_view start, std::u16string_view value) {
    out += start;
    appendJsonString(out, value);
    out += u"}\r\n";
}

// The value of a header line that begins with start, nothing after it.
std::u16string headerValue(std::u16string_view line, std::u16string_view start) {
    JsonLine p(line);
    p.expect(start);
    std::u16string value = p.string();
    p.expect(u"}");
    p.end();
    return value;
}

}  // namespace

void appendRecoveryRow(std::u16string& out, const PlacementRow& row) {
    appendJsonRow(out, row);
    out += u"\r\n";
}

std::u16string recoveryHeader(const std::u16string& file,
                              const std::optional<std::u16string>& text) {
    std::u16string out;
    appendHeaderLine(out, kFileStart, file);
    if (text) appendHeaderLine(out, kTextStart, *text);
    return out;
}

void writeRecovery(const std::u16string& path, const std::u16string& file,
                   const PlacementList::Rows& rows, platform::FileSystem& files,
                   const std::optional<std::u16string>& planText) {
    std::unique_ptr<platform::OutputFile> out =
        files.CreateOutputFile(path, platform::CreateMode::Replace);
    std::u16string text = recoveryHeader(file, planText);
    // Written a few thousand rows at a time: a long plan never needs its whole text at once.
    for (const PlacementRow& row : rows) {
        appendRecoveryRow(text, row);
        if (text.size() >= 64 * 1024) {
            out->Write(text);
            text.clear();
        }
    }
    out->Write(text);
    out->Commit();
}

RecoveredPlan readRecovery(const std::u16string& path, platform::FileSystem& files) {
    const std::unique_ptr<platform::TextStream> stream = files.OpenTextFile(path);
    RecoveredPlan plan;
    long lineNumber = 0;
    try {
        if (stream->AtEndOfStream()) throw InvalidArgument(u"fichier de récupération vide");
        ++lineNumber;
        plan.file = headerValue(stream->ReadLine(), kFileStart);
        BuildingNames names;  // rows of one building share its text, as in an opened plan
        // The text, when kept, comes before the rows (whose lines start otherwise).
        while (!stream->AtEndOfStream()) {
            ++lineNumber;
            const std::u16string line = stream->ReadLine();
            if (lineNumber == 2 && line.starts_with(kTextStart)) {
                plan.text = headerValue(line, kTextStart);
                continue;
            }
            plan.rows.push_back(parseJsonRow(line, &names));
        }
    } catch (Error& error) {
        if (error.file.empty()) error.file = path;
        if (error.line == 0) error.line = lineNumber;
        throw;
    }
    return plan;
}

}  // namespace qrn
