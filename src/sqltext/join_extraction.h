#pragma once

#include <string>

#include "catalogue/tables.h"
#include "control/tree_view.h"
#include "joins/c_connects.h"

namespace wheretree {

/// True when no child of `node` has image 3 or 5: its members are joined by And only.
bool IsAndLevel(const TreeNode& node);

/// Takes the join conditions out of the levels below `node`: in a level joined by And only, a
/// condition comparing two fields of declared tables, such as
///
///   e.dept_id = d.id(+)      left operand: from side, right operand: to side
///
/// becomes a connection (join type 1 when the right operand ends in "(+)", 2 when the left one
/// does, else 0; condition code from the operator), appended to `connections` with dialect 1,
/// and its node gets the tag -1717. Levels with image 1 or 2 are entered whatever their parent
/// is, levels with image 3 never. Connections are appended in tree order, depth first. A
/// condition without text is left alone. Nothing is removed. Returns "".
///
/// Failures of the catalogue or of the collection reach the caller; what was appended and
/// marked before stays. Works without recursion, so any depth is fine.
std::u16string ExtractJoins(const NodeRef& node, tables& catalogue, c_connects& connections);

}  // namespace wheretree
