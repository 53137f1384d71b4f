#include "planfile/plan_save.h"

#include <memory>
#include <optional>
#include <vector>

#include "base/codepage.h"
#include "base/errors.h"
#include "core/catalogue.h"
#include "core/placement_list.h"
#include "planfile/plan_writer.h"
#include "platform/platform.h"

namespace qrn {

namespace {

bool isAscii(std::u16string_view text) {
    char16_t any = 0;
    for (char16_t c : text) any |= c;
    return any < 0x80;
}

}  // namespace

void checkEncodable(const std::array<std::u16string_view, 6>& cells, long position) {
    for (int c = 0; c < kCellCount; ++c) {
        const std::u16string_view cell = cells[std::size_t(c)];
        if (isAscii(cell)) continue;
        std::optional<CellRefusal> refusal = cellRefusal(cell);
        if (refusal && refusal->fault == CellRefusal::Fault::Charset) {
            InvalidArgument error(std::move(refusal->reason));
            error.row = position;
            error.column = columnName(Column(c));
            throw error;
        }
    }
}

void checkEncodable(const PlacementList& list) {
    for (int position = 1; position <= list.count(); ++position) {
        const PlacementRow& row = list.row(position);
        checkEncodable(
            {row.cell(0), row.cell(1), row.cell(2), row.cell(3), row.cell(4), row.cell(5)},
            position);
    }
}

namespace {

// A cell the writer takes and Windows-1252 holds, told cheaply: short, ASCII, no line break.
bool plainCell(std::u16string_view cell) {
    char16_t any = 0;
    bool lineBreak = false;
    for (char16_t c : cell) {
        any |= c;
        lineBreak |= c == u'\r' || c == u'\n';
    }
    return cell.size() <= std::size_t(kCellWidth) && any < 0x80 && !lineBreak;
}

// Throws what saving the list would refuse, before any file is touched: the first row the
// writer refuses, else the first cell Windows-1252 cannot hold, else a catalogue text it cannot
// hold, named by its position in the whole text as the output would name it. Rows of plain
// cells and a checked entry pass at once; any other goes through the writer's own checks.
void checkSavable(const std::u16string& path, const PlacementList& list,
                  const Catalogue& catalogue) {
    enum class Entry : char { Unchecked, Plain, Other };
    std::vector<Entry> entries(Catalogue::kSize, Entry::Unchecked);
    std::optional<Error> charset;
    bool catalogueCharset = false;
    for (int position = 1; position <= list.count(); ++position) {
        const PlacementRow& row = list.row(position);
        const PlanRowView view{
            {row.cell(0), row.cell(1), row.cell(2), row.cell(3), row.cell(4), row.cell(5)},
            row.index().value()};
        bool plain = view.index >= 0 && view.index <= Catalogue::kMaxIndex;
        for (const std::u16string_view cell : view.cells) plain = plain && plainCell(cell);
        if (plain && entries[std::size_t(view.index)] == Entry::Plain) continue;
        checkWritable(view, position, catalogue);
        if (!charset) {
            try {
                checkEncodable(view.cells, position);
            } catch (const InvalidArgument& error) {
                charset = error;
            }
        }
        Entry& entry = entries[std::size_t(view.index)];
        if (entry == Entry::Unchecked) {
            const bool encodable = isWindows1252(catalogue.field(view.index, Field::PlanId)) &&
                                   isWindows1252(catalogue.field(view.index, Field::PlanTail));
            catalogueCharset |= !encodable;
            entry = encodable ? Entry::Plain : Entry::Other;
        }
    }
    if (charset) throw *charset;
    if (!catalogueCharset) return;
    try {
        encodeWindows1252(MakeQRNFile(list, catalogue));
    } catch (Error& error) {
        error.file = path;
        throw;
    }
}

}  // namespace

void savePlan(const std::u16string& path, const PlacementList& list, const Catalogue& catalogue,
              platform::FileSystem& files, platform::CreateMode mode) {
    // Every row is checked before the file is opened: a file written in place (the folder
    // takes no new file) must never stop half way on a refused row.
    checkSavable(path, list, catalogue);
    std::unique_ptr<platform::OutputFile> out = files.CreateOutputFile(path, mode);
    writeQRN(list, catalogue, [&out](std::u16string_view piece) { out->Write(piece); });
    out->Commit();
}

}  // namespace qrn
