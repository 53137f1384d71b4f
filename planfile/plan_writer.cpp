#include "planfile/plan_writer.h"

#include "base/codepage.h"
#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"
#include "core/placement_list.h"

namespace qrn {

namespace {

void appendPadded(std::u16string& text, std::u16string_view value, std::size_t width, long row,
                  std::u16string_view column) {
    // The characters are the save's to check: the plan text itself may hold any.
    std::optional<CellRefusal> refusal = cellRefusal(value, width);
    if (refusal && refusal->fault != CellRefusal::Fault::Charset) {
        InvalidArgument error(std::move(refusal->reason));
        error.row = row;
        error.column = column;
        throw error;
    }
    text += value;
    text.append(width - value.size(), u' ');
}

}  // namespace

std::optional<CellRefusal> cellRefusal(std::u16string_view value, std::size_t width) {
    if (value.size() > width)
        return CellRefusal{CellRefusal::Fault::TooLong,
                           quoted(value) + u" compte " + decimal(long(value.size())) +
                               u" caractères, " + decimal(long(width)) + u" au plus"};
    if (value.find_first_of(u"\r\n") != value.npos)
        return CellRefusal{CellRefusal::Fault::LineBreak,
                           quoted(value) + u" contient un saut de ligne"};
    if (!platform::isWindows1252(value)) {
        try {
            (void)platform::encodeWindows1252(value);
        } catch (const Error& error) {
            return CellRefusal{CellRefusal::Fault::Charset, error.reason()};
        }
    }
    return std::nullopt;
}

std::u16string MakeQRNFile(const PlacementList& list, const Catalogue& catalogue) {
    std::u16string text;
    const int count = list.count();
    text.reserve(std::size_t(count) * 84);
    for (int position = 1; position <= count; ++position) {
        const PlacementRow& row = list.row(position);
        for (int c = 0; c < kCellCount; ++c)
            appendPadded(text, row.cell(c), kCellWidth, position, columnName(Column(c)));

        const int index = row.index().value();
        if (index < 0 || index > Catalogue::kMaxIndex) {
            IndexError error(u"index de catalogue " + decimal(index) + u" hors de 0 à 1000");
            error.row = position;
            throw error;
        }
        appendPadded(text, catalogue.field(index, Field::PlanId), kPlanIdWidth, position,
                     u"identifiant de plan");
        text += catalogue.field(index, Field::PlanTail);
        text += u"\r\n";
    }
    return text;
}

}  // namespace qrn
