#include "planfile/plan_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "platform/platform.h"

namespace qrn {

namespace {

// The first character from p on that is not a space. The writer pads every value with spaces
// to its width, so the runs are long: they are taken four characters at a time.
const char16_t* skipSpaces(const char16_t* p, const char16_t* end) {
    constexpr std::uint64_t kFourSpaces = 0x0020002000200020;
    while (end - p >= 4) {
        std::uint64_t four;
        std::memcpy(&four, p, sizeof four);
        if (four != kFourSpaces) break;
        p += 4;
    }
    while (p != end && *p == u' ') ++p;
    return p;
}

constexpr std::u16string_view kTokenNames[] = {
    u"X", u"Y", u"N", u"S", u"E", u"O", u"l'identifiant de plan"};

// Tokens 1 to 7 of a plan line, or the failure that says where the line stops short.
std::array<std::u16string_view, 7> splitLine(std::u16string_view line) {
    std::array<std::u16string_view, 7> tokens;
    const std::size_t found = splitPlanLine(line, tokens);
    if (found < tokens.size()) {
        throw InvalidArgument(line.empty()
                                  ? std::u16string(u"ligne vide")
                                  : u"la ligne s'arrête avant la fin de " +
                                        std::u16string(kTokenNames[found]) +
                                        u" (sept valeurs séparées par des espaces sont attendues)");
    }
    return tokens;
}

}  // namespace

std::size_t splitPlanLine(std::u16string_view line, std::array<std::u16string_view, 7>& tokens) {
    std::u16string_view rest = line;
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        const std::size_t space = rest.find(u' ');
        if (space == rest.npos) return t;
        tokens[t] = rest.substr(0, space);
        rest = delnextspaces(rest);
    }
    return tokens.size();
}

std::u16string_view delnextspaces(std::u16string_view str) {
    const std::size_t space = str.find(u' ');
    if (space == str.npos) return str;
    const char16_t* const end = str.data() + str.size();
    const char16_t* const next = skipSpaces(str.data() + space + 1, end);
    return {next, std::size_t(end - next)};
}

long readQRNLines(platform::TextStream& stream, const std::u16string& file,
                  const Catalogue& catalogue, const LineConsumer& consume) {
    std::u16string line;
    PlanLine plan;
    long lineNumber = 0;
    try {
        while (!stream.AtEndOfStream()) {
            stream.ReadLineInto(line);
            ++lineNumber;
            const auto tokens = splitLine(line);
            const std::optional<int> index = catalogue.findPlanId(tokens[6]);
            if (!index) {
                throw InvalidArgument(u"l'identifiant de plan " + quoted(tokens[6]) +
                                      u" n'existe pas dans le catalogue");
            }
            std::copy_n(tokens.begin(), plan.cells.size(), plan.cells.begin());
            plan.index = *index;
            consume(plan);
        }
    } catch (Error& error) {
        if (error.file.empty()) error.file = file;
        if (error.line == 0) error.line = lineNumber;
        throw;
    }
    return lineNumber;
}

long readQRN(platform::TextStream& stream, const std::u16string& file, const Catalogue& catalogue,
             const RowConsumer& consume) {
    // The display names are shared between the rows that name the same entry.
    std::vector<std::shared_ptr<const std::u16string>> names(
        static_cast<std::size_t>(Catalogue::kSize));
    return readQRNLines(stream, file, catalogue, [&](const PlanLine& line) {
        auto& name = names[std::size_t(line.index)];
        if (!name) {
            name = std::make_shared<const std::u16string>(
                catalogue.field(line.index, Field::DisplayName));
        }
        consume(PlacementRow(name, line.cells, CatalogueIndex::text(std::int16_t(line.index))));
    });
}

int openQRN(const std::u16string& file, PlacementList& list, const Catalogue& catalogue,
            platform::FileSystem& files) {
    // The rows are gathered aside and handed to the list at once; after a bad line the list
    // holds the rows of the lines before it, as if they had been appended one by one.
    const std::unique_ptr<platform::TextStream> stream = files.OpenTextFile(file);
    PlacementList::Rows rows;
    try {
        readQRN(*stream, file, catalogue,
                [&rows](PlacementRow&& row) { rows.push_back(std::move(row)); });
    } catch (const Error&) {
        list.assign(std::move(rows));
        throw;
    }
    list.assign(std::move(rows));
    return list.count();
}

}  // namespace qrn
