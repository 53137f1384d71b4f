#include "planfile/plan_writer.h"

#include <algorithm>
#include <vector>

#include "base/codepage.h"
#include "base/errors.h"
#include "base/text.h"
#include "core/catalogue.h"
#include "core/placement_list.h"

namespace qrn {

namespace {

constexpr std::u16string_view kPlanIdColumn = u"identifiant de plan";
// About 400 lines: large enough that a sink's work per piece is spread thin, small enough to
// stay in the cache.
constexpr std::size_t kPieceSize = 32 * 1024;

// The characters are the save's to check (the plan text itself may hold any); the length and
// the line breaks are the writer's, by the one rule of cellRefusal.
void checkValue(std::u16string_view value, std::size_t width, long row,
                std::u16string_view column) {
    bool lineBreak = false;
    for (char16_t c : value) lineBreak |= c == u'\r' || c == u'\n';
    if (value.size() <= width && !lineBreak) return;
    std::optional<CellRefusal> refusal = cellRefusal(value, width);
    if (refusal && refusal->fault != CellRefusal::Fault::Charset) {
        InvalidArgument error(std::move(refusal->reason));
        error.row = row;
        error.column = column;
        throw error;
    }
}

void checkIndex(int index, long row) {
    if (index < 0 || index > Catalogue::kMaxIndex) {
        IndexError error(u"index de catalogue " + decimal(index) + u" hors de 0 à 1000");
        error.row = row;
        throw error;
    }
}

// Writes value and its padding at out, which has room for width characters.
char16_t* putPadded(char16_t* out, std::u16string_view value, std::size_t width) {
    out = std::copy(value.begin(), value.end(), out);
    return std::fill_n(out, width - value.size(), u' ');
}

}  // namespace

void checkWritable(const PlanRowView& row, long position, const Catalogue& catalogue) {
    for (int c = 0; c < kCellCount; ++c)
        checkValue(row.cells[std::size_t(c)], kCellWidth, position, columnName(Column(c)));
    checkIndex(row.index, position);
    checkValue(catalogue.field(row.index, Field::PlanId), kPlanIdWidth, position, kPlanIdColumn);
}

std::size_t planLineSize(const PlanRowView& row, const Catalogue& catalogue) {
    return kCellCount * kCellWidth + kPlanIdWidth +
           catalogue.field(row.index, Field::PlanTail).size() + 2;
}

char16_t* putPlanLine(char16_t* out, const PlanRowView& row, const Catalogue& catalogue) {
    for (const std::u16string_view cell : row.cells) out = putPadded(out, cell, kCellWidth);
    out = putPadded(out, catalogue.field(row.index, Field::PlanId), kPlanIdWidth);
    const std::u16string& tail = catalogue.field(row.index, Field::PlanTail);
    out = std::copy(tail.begin(), tail.end(), out);
    *out++ = u'\r';
    *out++ = u'\n';
    return out;
}

void writeQRN(long count, const RowSource& rows, const Catalogue& catalogue, const TextSink& sink) {
    // Lines are written straight into the buffer, which is handed over once it is nearly full.
    std::vector<char16_t> buffer(kPieceSize + 1024);
    std::size_t used = 0;
    for (long position = 1; position <= count; ++position) {
        const PlanRowView row = rows(position);
        checkWritable(row, position, catalogue);
        const std::size_t lineSize = planLineSize(row, catalogue);
        if (buffer.size() - used < lineSize) {
            sink({buffer.data(), used});
            used = 0;
            if (buffer.size() < lineSize) buffer.resize(lineSize);
        }
        putPlanLine(buffer.data() + used, row, catalogue);
        used += lineSize;
        if (used >= kPieceSize) {
            sink({buffer.data(), used});
            used = 0;
        }
    }
    if (used > 0) sink({buffer.data(), used});
}

PlanRowView planRowView(const PlacementRow& row) {
    return {{row.cell(0), row.cell(1), row.cell(2), row.cell(3), row.cell(4), row.cell(5)},
            row.index().value()};
}

void writeQRN(const PlacementList& list, const Catalogue& catalogue, const TextSink& sink) {
    writeQRN(
        list.count(), [&list](long position) { return planRowView(list.row(int(position))); },
        catalogue, sink);
}

std::optional<CellRefusal> cellRefusal(std::u16string_view value, std::size_t width) {
    if (value.size() > width)
        return CellRefusal{CellRefusal::Fault::TooLong,
                           quoted(value) + u" compte " + decimal(long(value.size())) +
                               u" caractères, " + decimal(long(width)) + u" au plus"};
    if (value.find_first_of(u"\r\n") != value.npos)
        return CellRefusal{CellRefusal::Fault::LineBreak,
                           quoted(value) + u" contient un saut de ligne"};
    if (!isWindows1252(value)) {
        try {
            (void)encodeWindows1252(value);
        } catch (const Error& error) {
            return CellRefusal{CellRefusal::Fault::Charset, error.reason()};
        }
    }
    return std::nullopt;
}

std::u16string MakeQRNFile(const PlacementList& list, const Catalogue& catalogue) {
    std::u16string text;
    text.reserve(std::size_t(list.count()) * 84);
    writeQRN(list, catalogue, [&text](std::u16string_view piece) { text += piece; });
    return text;
}

}  // namespace qrn
