#pragma once

// Properties of the condition tree that hold after every completed operation, checked by the fuzz
// targets after each step. A violation aborts through fuzz::Fail.

#include "control/tree_view.h"

namespace wheretree::fuzz {

/// Node 1 is the only top-level node and everything descends from it; Item(i).Index() is i for
/// i in 1..Count; every parent has a lower index than its children; keys are unique and read
/// "LP_" or "c_" + a number; child counts match the sibling links.
void CheckTreeStructure(const TreeView& tree);

/// What a completed load guarantees besides the structure: the root is there, no node carries
/// the joined marker and no level below the root is empty.
void CheckLoadedTree(const TreeView& tree);

}  // namespace wheretree::fuzz
