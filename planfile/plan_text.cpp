#include "planfile/plan_text.h"

#include "base/errors.h"
#include "planfile/plan_reader.h"
#include "platform/platform.h"

namespace qrn {

namespace {

// Takes the first line off rest and returns it without its line end.
std::u16string_view takeLine(std::u16string_view& rest) {
    const std::size_t end = rest.find_first_of(u"\r\n");
    const std::u16string_view line = rest.substr(0, end);
    if (end == rest.npos) {
        rest = {};
    } else {
        const bool crlf = rest[end] == u'\r' && end + 1 < rest.size() && rest[end + 1] == u'\n';
        rest.remove_prefix(end + (crlf ? 2 : 1));
    }
    return line;
}

// The lines of a text in memory, as the file streams split them.
class TextLines : public platform::TextStream {
public:
    explicit TextLines(std::u16string_view text) : rest_(text) {}

    bool AtEndOfStream() override { return rest_.empty(); }
    std::u16string ReadLine() override {
        if (rest_.empty()) throw InvalidArgument(u"fin du texte");
        return std::u16string(takeLine(rest_));
    }

private:
    std::u16string_view rest_;
};

}  // namespace

PlacementList::Rows readPlanText(std::u16string_view text, const Catalogue& catalogue) {
    TextLines lines(text);
    PlacementList::Rows rows;
    readQRN(lines, {}, catalogue, [&rows](PlacementRow&& row) { rows.push_back(std::move(row)); });
    return rows;
}

std::u16string_view lineOf(std::u16string_view text, long n) {
    std::u16string_view line;
    for (long i = 0; i < n; ++i) {
        if (text.empty()) return {};
        line = takeLine(text);
    }
    return line;
}

}  // namespace qrn
