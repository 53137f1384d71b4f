#include "planfile/recovery_file.h"

#include <memory>

#include "base/errors.h"
#include "base/text.h"
#include "platform/platform.h"

namespace qrn {

namespace {

constexpr char16_t kHex[] = u"0123456789abcdef";

void appendString(std::u16string& out, std::u16string_view text) {
    out += u'"';
    for (const char16_t c : text) {
        if (c == u'"' || c == u'\\') {
            out += u'\\';
            out += c;
        } else if (c >= 0x20 && c < 0x7F) {
            out += c;
        } else {
            out += u"\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
        }
    }
    out += u'"';
}

}  // namespace

void appendRecoveryRow(std::u16string& out, const PlacementRow& row) {
    out += u"{\"index\": ";
    if (row.index().isText())
        appendString(out, row.index().toText());
    else
        out += row.index().toText();
    out += u", \"building\": ";
    appendString(out, row.building());
    out += u", \"cells\": [";
    for (int c = 0; c < kCellCount; ++c) {
        if (c > 0) out += u',';
        appendString(out, row.cell(c));
    }
    out += u"]}\r\n";
}

std::u16string recoveryHeader(const std::u16string& file,
                              const std::optional<std::u16string>& text) {
    std::u16string out = u"{\"file\": ";
    appendString(out, file);
    out += u"}\r\n";
    if (text) {
        out += u"{\"text\": ";
        appendString(out, *text);
        out += u"}\r\n";
    }
    return out;
}

namespace {

// Reads the lines writeRecovery writes, and nothing else.
class LineParser {
public:
    explicit LineParser(std::u16string_view line) : rest_(line) {}

    void expect(std::u16string_view literal) {
        if (rest_.substr(0, literal.size()) != literal)
            throw InvalidArgument(u"« " + std::u16string(literal) + u" » attendu");
        rest_.remove_prefix(literal.size());
    }
    bool startsWith(char16_t c) const { return !rest_.empty() && rest_.front() == c; }
    std::u16string string() {
        expect(u"\"");
        std::u16string out;
        while (!startsWith(u'"')) {
            if (rest_.empty()) throw InvalidArgument(u"texte non terminé");
            char16_t c = rest_.front();
            rest_.remove_prefix(1);
            if (c == u'\\') c = escaped();
            out += c;
        }
        rest_.remove_prefix(1);
        return out;
    }
    std::u16string number() {
        std::size_t n = 0;
        while (n < rest_.size() && (rest_[n] == u'-' || (rest_[n] >= u'0' && rest_[n] <= u'9')))
            ++n;
        if (n == 0) throw InvalidArgument(u"nombre attendu");
        std::u16string out(rest_.substr(0, n));
        rest_.remove_prefix(n);
        return out;
    }
    void end() const {
        if (!rest_.empty()) throw InvalidArgument(u"texte en trop en fin de ligne");
    }

private:
    char16_t escaped() {
        if (rest_.empty()) throw InvalidArgument(u"échappement non terminé");
        const char16_t c = rest_.front();
        rest_.remove_prefix(1);
        if (c == u'"' || c == u'\\') return c;
        if (c != u'u' || rest_.size() < 4) throw InvalidArgument(u"échappement invalide");
        char16_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const char16_t h = rest_[std::size_t(i)];
            const int digit = h >= u'0' && h <= u'9'   ? h - u'0'
                              : h >= u'a' && h <= u'f' ? h - u'a' + 10
                                                       : -1;
            if (digit < 0) throw InvalidArgument(u"échappement invalide");
            value = char16_t(value * 16 + digit);
        }
        rest_.remove_prefix(4);
        return value;
    }

    std::u16string_view rest_;
};

PlacementRow parseRow(std::u16string_view line) {
    LineParser p(line);
    p.expect(u"{\"index\": ");
    const bool isText = p.startsWith(u'"');
    const std::u16string indexText = isText ? p.string() : p.number();
    const CatalogueIndex parsed = CatalogueIndex::parse(indexText);
    const CatalogueIndex index =
        isText ? CatalogueIndex::text(parsed.value()) : CatalogueIndex::number(parsed.value());
    p.expect(u", \"building\": ");
    const std::u16string building = p.string();
    p.expect(u", \"cells\": [");
    std::array<std::u16string, kCellCount> cells;
    for (int c = 0; c < kCellCount; ++c) {
        if (c > 0) p.expect(u",");
        cells[std::size_t(c)] = p.string();
    }
    p.expect(u"]}");
    p.end();
    return PlacementRow(building, {cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]},
                        index);
}

}  // namespace

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
        LineParser header(first);
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
                LineParser text(line);
                text.expect(textStart);
                plan.text = text.string();
                text.expect(u"}");
                text.end();
                continue;
            }
            plan.rows.push_back(parseRow(line));
        }
    } catch (Error& error) {
        if (error.file.empty()) error.file = path;
        if (error.line == 0) error.line = lineNumber;
        throw;
    }
    return plan;
}

}  // namespace qrn
