#pragma once

// The condition tree held in the tree widget: node kinds, markers, keys, and the node creation and
// maintenance operations the control, the parser and the editing operations share.
//
//   LP_1  root             image 6, tag -1
//   ├─ LP_2  a.id = b.id   no image (first member)
//   ├─ LP_3  (level)       image 2, tag -1      <- " And " before it
//   │   ├─ LP_4  x > 1     no image
//   │   └─ LP_5  y = 2     image 5              <- " Or " before it
//   └─ LP_6  f(z) = 3      image 4              <- " And " before it

#include <cstdint>
#include <string>

#include "control/tree_view.h"

namespace wheretree {

/// Image numbers of the condition tree's nodes; hosts pass them as `TypeLogic`. Image 7 ("Begin")
/// marks a member whose previous sibling was removed.
enum class TypeOfLogic : std::int32_t {
  LevelBegin = 1,
  LevelAnd = 2,
  LevelOr = 3,
  SimpleAnd = 4,
  SimpleOr = 5,
  LevelWhere = 6,
};

/// The image a member gets after the sibling before it was removed.
inline constexpr std::int16_t kImageBegin = 7;

/// Tag of the root and of level nodes (as the number -1 or the text "-1").
inline constexpr std::int16_t LevelTag = -1;
/// Tag of a condition node whose condition became a connection record.
inline constexpr std::int16_t JoinedTag = -1717;

/// True when the node's tag equals -1 as a number or "-1" as text.
bool IsLevelNode(const TreeNode& node);
/// True when the node's tag equals -1717.
bool IsJoinedNode(const TreeNode& node);

/// Keys: LevelKey(3) == u"LP_3" (root, levels, parsed nodes), ConditionKey(9) == u"c_9"
/// (conditions added interactively).
std::u16string LevelKey(std::int64_t n);
std::u16string ConditionKey(std::int64_t n);

/// The node reference shared by every control on this thread: the insertion point of AddLevel and
/// AddNode and the target of DeleteNode. It may refer to a node removed since.
NodeRef& CurrentNode();

/// Adds 1 to a control's 32-bit node counter; overflow past 2147483647.
std::int32_t IncrementNodeCounter(std::int32_t& NodeCounter);

/// Creates the root when the tree is empty (image 6, whatever `TypeLogic`), otherwise a level
/// node as the last child of CurrentNode(): image 1 when CurrentNode() is an empty level (and
/// `TypeLogic` becomes 1), else image `TypeLogic`. `TypeLogic` 4 or 5 is first rewritten to 2 or 3
/// in the caller's variable. The new node gets key "LP_" + the incremented counter, tag -1 and is
/// made visible. Returns nullptr when there is no current node; every failure is cleared silently
/// and the node made so far (if any) is returned.
NodeRef CreateLevelNode(TypeOfLogic& TypeLogic, TreeView& tree, std::int32_t& NodeCounter);

/// Removes `node` and its subtree. The root (no parent) is never removed. When the node is the
/// first child and has a next sibling, that sibling gets image 7: it loses its connective.
/// Fails (no_object) when the node is no longer in the tree.
void RemoveTreeNode(const NodeRef& node, TreeView& tree);

/// Removes, below `node`, every level node without children, also levels that become empty
/// because their own empty levels went. `node` itself is never removed. Works bottom-up without
/// recursion, so any depth is fine.
void PruneEmptyLevels(const NodeRef& node, TreeView& tree);

}  // namespace wheretree
