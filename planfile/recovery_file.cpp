#include "planfile/recovery_file.h"

#include <memory>

#include "base/errors.h"
#include "base/text.h"
#include "planfile/json_row.h"
#include "platform/platform.h"

namespace qrn {

void appendRecoveryRow(std::u16string& out, const PlacementRow& row) {
    appendJsonRow(out, row);
    out += u"\r\n";
}

std::u16string recoveryHeader(const std::u16string& file,
                              const std::optional<std::u16string>& text) {
    std::u16string out = u"{\"file\": ";
    appendJsonString(out, file);
    out += u"}\r\n";
    if (text) {
        out += u"{\"text\": ";
        appendJsonString(out, *text);
        out += u"}\r\n";
    }
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
        const std::u16string first = stream->ReadLine();
        JsonLine header(first);
        header.expect(u"{\"file\": ");
        plan.file = header.string();
        header.expect(u"}");
        header.end();
        // The text, when kept, comes before the rows (whose lines start otherwise).
        constexpr std::u16string_view textStart = u"{\"text\": ";
        while (!stream->AtEndOfStream()) {
            ++lineNumber;
            const std::u16string line = stream->ReadLine();
            if (lineNumber == 2 && line.starts_with(textStart)) {
                JsonLine text(line);
                text.expect(textStart);
                plan.text = text.string();
                text.expect(u"}");
                text.end();
                continue;
            }
            plan.rows.push_back(parseJsonRow(line));
        }
    } catch (Error& error) {
        if (error.file.empty()) error.file = path;
        if (error.line == 0) error.line = lineNumber;
        throw;
    }
    return plan;
}

}  // namespace qrn
