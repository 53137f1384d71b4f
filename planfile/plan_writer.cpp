#include "planfile/plan_writer.h"

#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"
#include "core/placement_list.h"

namespace qrn {

namespace {

void appendPadded(std::u16string& text, std::u16string_view value, std::size_t width, long row,
                  std::u16string_view column) {
    if (value.size() > width) {
        InvalidArgument error(quoted(value) + u" compte " + decimal(long(value.size())) +
                              u" caractères, " + decimal(long(width)) + u" au plus");
        error.row = row;
        error.column = column;
        throw error;
    }
    // A line break inside a value would split the plan line: the file would not read back.
    if (value.find_first_of(u"\r\n") != value.npos) {
        InvalidArgument error(quoted(value) + u" contient un saut de ligne");
        error.row = row;
        error.column = column;
        throw error;
    }
    text += value;
    text.append(width - value.size(), u' ');
}

}  // namespace

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
