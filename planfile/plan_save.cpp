#include "planfile/plan_save.h"

#include <memory>

#include "base/codepage.h"
#include "base/errors.h"
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

void savePlan(const std::u16string& path, const PlacementList& list, const Catalogue& catalogue,
              platform::FileSystem& files) {
    // The text goes to the output a piece at a time as the writer makes it. When anything
    // fails the output is dropped uncommitted, and the failure is told as if the whole text
    // had been made first, then the file created, then the text written: a row the writer
    // refuses comes before a file that cannot be created, which comes before a cell that
    // Windows-1252 cannot hold.
    bool created = false;
    try {
        try {
            std::unique_ptr<platform::OutputFile> out =
                files.CreateOutputFile(path, platform::CreateMode::Replace);
            created = true;
            writeQRN(list, catalogue, [&out](std::u16string_view piece) { out->Write(piece); });
            out->Commit();
        } catch (const Error& failure) {
            writeQRN(list, catalogue, [](std::u16string_view) {});  // the writer's own failure
            if (!created) throw;
            if (failure.kind() == Error::Kind::InvalidArgument && failure.row == 0) {
                checkEncodable(list);  // names the cell, when a cell is the cause
                // Else a catalogue text: its position in the whole text, as the output tells it.
                try {
                    platform::encodeWindows1252(MakeQRNFile(list, catalogue));
                } catch (Error& error) {
                    error.file = path;
                    throw;
                }
            }
            throw;
        }
    } catch (Error& error) {
        if (error.file.empty() && error.row == 0) error.file = path;
        throw;
    }
}

}  // namespace qrn
