#pragma once

#include "core/placement_list.h"

namespace qrn::bench {

// The list that reading the workspace's plan of rows lines gives, read once and kept.
const PlacementList& planList(long rows);

}  // namespace qrn::bench
