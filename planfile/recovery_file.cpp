#include "planfile/recovery_file.h"

#include <memory>

#include "base/errors.h"
#include "base/text.h"
#include "planfile/json_row.h"
#include "platform/platform.h"

namespace qrn {

namespace {

// The header lines: {"file": "..."}, {"stamp": "..."} and {"text": "..."}.
constexpr std::u16string_view kFileStart = u"{\"file\": ", kStampStart = u"{\"stamp\": ",
                              kTextStart = u"{\"text\": ";

// "SIZE SHA256", or nothing for a file that was not there.
std::u16string stampText(const platform::FileDigest& stamp) {
    if (!stamp.exists) return {};
    const std::string ascii = std::to_string(stamp.size) + ' ' + stamp.sha256;
    return {ascii.begin(), ascii.end()};
}

platform::FileDigest parseStamp(const std::u16string& text) {
    platform::FileDigest stamp;
    if (text.empty()) return stamp;
    const std::size_t space = text.find(u' ');
    const std::u16string size = text.substr(0, space);
    const bool digits = !size.empty() && size.size() <= 12 &&
                        size.find_first_not_of(u"0123456789") == std::u16string::npos;
    const std::u16string hash = space == std::u16string::npos ? u"" : text.substr(space + 1);
    if (!digits || hash.size() != 64 ||
        hash.find_first_not_of(u"0123456789abcdef") != std::u16string::npos)
        throw InvalidArgument(u"empreinte du fichier illisible : « " + text + u" »");
    stamp.exists = true;
    stamp.size = std::stoll(toUtf8(size));
    stamp.sha256 = toUtf8(hash);
    return stamp;
}

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

std::u16string recoveryHeader(const std::u16string& file, const std::optional<std::u16string>& text,
                              const std::optional<platform::FileDigest>& stamp) {
    std::u16string out;
    appendHeaderLine(out, kFileStart, file);
    if (stamp) appendHeaderLine(out, kStampStart, stampText(*stamp));
    if (text) appendHeaderLine(out, kTextStart, *text);
    return out;
}

void writeRecovery(const std::u16string& path, const std::u16string& file,
                   const PlacementList::Rows& rows, platform::FileSystem& files,
                   const std::optional<std::u16string>& planText,
                   const std::optional<platform::FileDigest>& stamp) {
    std::unique_ptr<platform::OutputFile> out =
        files.CreateOutputFile(path, platform::CreateMode::Replace);
    std::u16string text = recoveryHeader(file, planText, stamp);
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
    return readRecovery(*files.OpenTextFile(path), path);
}

RecoveredPlan readRecovery(platform::TextStream& input, const std::u16string& path) {
    platform::TextStream* const stream = &input;
    RecoveredPlan plan;
    long lineNumber = 0;
    try {
        if (stream->AtEndOfStream()) throw InvalidArgument(u"fichier de récupération vide");
        ++lineNumber;
        plan.file = headerValue(stream->ReadLine(), kFileStart);
        BuildingNames names;  // rows of one building share its text, as in an opened plan
        // The stamp and the text, when kept, come before the rows (whose lines start otherwise).
        bool header = true;
        while (!stream->AtEndOfStream()) {
            ++lineNumber;
            const std::u16string line = stream->ReadLine();
            if (header && lineNumber == 2 && line.starts_with(kStampStart)) {
                plan.stamp = parseStamp(headerValue(line, kStampStart));
                continue;
            }
            if (header && line.starts_with(kTextStart)) {
                header = false;
                plan.text = headerValue(line, kTextStart);
                continue;
            }
            header = false;
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
