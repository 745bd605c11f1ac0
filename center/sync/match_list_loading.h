// Loading the twelve match-list pairs from the driver at start.
#pragma once

#include "binding/driver_binding.h"
#include "operator.h"
#include "wall/match_lists.h"

namespace mlc {

// Loads every pair in a fixed order, leaving out its excluded identifiers, and puts
// the fixed display texts of FrameLock and HD15Sync over the driver's. A failed
// load shows the driver's error box and the remaining lists are still loaded;
// false then means the program should end once start-up is over.
//
// Lists the driver has no entries for, and lists too short for their fixed texts
// (only the positions that exist get one), are named in one warning; they do not
// fail the load. Without a loaded driver the lists stay empty and nothing is shown
// (the load failure was reported already).
bool LoadMatchLists(DriverBinding& binding, MatchLists& lists, Operator& op);

} // namespace mlc
