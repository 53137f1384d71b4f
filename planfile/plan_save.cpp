#include "planfile/plan_save.h"

#include <memory>

#include "base/codepage.h"
#include "base/errors.h"
#include "core/placement_list.h"
#include "planfile/plan_writer.h"
#include "platform/platform.h"

namespace qrn {

void checkEncodable(const PlacementList& list) {
    for (int position = 1; position <= list.count(); ++position) {
        const PlacementRow& row = list.row(position);
        for (int c = 0; c < kCellCount; ++c) {
            std::optional<CellRefusal> refusal = cellRefusal(row.cell(c));
            if (refusal && refusal->fault == CellRefusal::Fault::Charset) {
                InvalidArgument error(std::move(refusal->reason));
                error.row = position;
                error.column = columnName(Column(c));
                throw error;
            }
        }
    }
}

void savePlan(const std::u16string& path, const PlacementList& list, const Catalogue& catalogue,
              platform::FileSystem& files) {
    try {
        const std::u16string text = MakeQRNFile(list, catalogue);
        std::unique_ptr<platform::OutputFile> out =
            files.CreateOutputFile(path, platform::CreateMode::Replace);
        try {
            out->Write(text);
        } catch (const InvalidArgument&) {
            checkEncodable(list);  // names the cell, when a cell is the cause
            throw;
        }
        out->Commit();
    } catch (Error& error) {
        if (error.file.empty() && error.row == 0) error.file = path;
        throw;
    }
}

}  // namespace qrn
