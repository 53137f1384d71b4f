#include "bench/plan_lists.h"

#include <map>
#include <stdexcept>

#include "bench/workspace.h"
#include "planfile/plan_reader.h"

namespace qrn::bench {

const PlacementList& planList(long rows) {
    static std::map<long, PlacementList> lists;
    auto found = lists.find(rows);
    if (found != lists.end()) return found->second;
    Workspace& ws = Workspace::instance();
    PlacementList& list = lists[rows];
    openQRN(u16(ws.planPath(rows)), list, ws.catalogue(), ws.files());
    if (list.count() != rows) throw std::runtime_error("the generated plan did not read back");
    return list;
}

}  // namespace qrn::bench
