#include "control/condition_tree.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <vector>

#include "common/text.h"

namespace wheretree {

bool IsLevelNode(const TreeNode& node) {
  return node.Tag().Equals(LevelTag);
}

bool IsJoinedNode(const TreeNode& node) {
  return node.Tag().Equals(JoinedTag);
}

namespace {

// u"LP_" and 12 -> u"LP_12", written in place (short keys stay in the string's own buffer).
std::u16string NumberedKey(std::u16string_view prefix, std::int64_t n) {
  char digits[24];  // the 20 characters of -9223372036854775808 fit
  const char* end = std::to_chars(std::begin(digits), std::end(digits), n).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  std::u16string key(prefix.size() + length, u'\0');
  std::copy(prefix.begin(), prefix.end(), key.begin());
  std::copy(static_cast<const char*>(digits), end,
            key.begin() + static_cast<std::ptrdiff_t>(prefix.size()));
  return key;
}

}  // namespace

std::u16string LevelKey(std::int64_t n) {
  return NumberedKey(u"LP_", n);
}

std::u16string ConditionKey(std::int64_t n) {
  return NumberedKey(u"c_", n);
}

NodeRef& CurrentNode() {
  thread_local NodeRef current;
  return current;
}

std::int32_t IncrementNodeCounter(std::int32_t& NodeCounter) {
  if (NodeCounter == std::numeric_limits<std::int32_t>::max()) {
    throw Error::Overflow("the node counter has reached 2147483647 and cannot number another node");
  }
  return ++NodeCounter;
}

NodeRef CreateLevelNode(TypeOfLogic& TypeLogic, TreeView& tree, std::int32_t& NodeCounter) {
  // A condition kind asked for a level gives the matching level kind, in the caller's variable.
  if (TypeLogic == TypeOfLogic::SimpleAnd) TypeLogic = TypeOfLogic::LevelAnd;
  if (TypeLogic == TypeOfLogic::SimpleOr) TypeLogic = TypeOfLogic::LevelOr;
  NodeRef node;
  try {
    const std::u16string key = LevelKey(IncrementNodeCounter(NodeCounter));
    if (tree.Nodes().Count() == 0) {
      node = tree.Nodes().Add(key, u"", static_cast<std::int16_t>(TypeOfLogic::LevelWhere));
    } else {
      // The current node is shared by every control on the thread; it is addressed by its key,
      // so a node selected in another control's tree names the node with that key in this one.
      const NodeRef current = CurrentNode();
      if (!current) return nullptr;
      if (IsLevelNode(*current) && current->Children() == 0) {
        // The first member of an empty level has no connective.
        TypeLogic = TypeOfLogic::LevelBegin;
        node = tree.Nodes().AddChild(current->Key(), key, u"",
                                     static_cast<std::int16_t>(TypeOfLogic::LevelBegin));
      } else {
        const auto image = CheckInt16(static_cast<std::int32_t>(TypeLogic), "the level's image");
        node = tree.Nodes().AddChild(current->Key(), key, u"", image);
      }
    }
    node->Tag(TagValue(LevelTag));
    node->EnsureVisible();
  } catch (const Error&) {
    // Node creation clears its failures silently; the node made so far, if any, is returned.
  }
  return node;
}

void RemoveTreeNode(const NodeRef& node, TreeView& tree) {
  if (!node) throw Error::NoObject("no tree node was given to remove");
  if (!node->ParentNode()) return;
  TreeNode* const next = node->NextNode();
  if (!node->PreviousNode() && next) next->Image(kImageBegin);
  tree.Nodes().Remove(node);
}

void PruneEmptyLevels(const NodeRef& node, TreeView& tree) {
  if (!node) throw Error::NoObject("no tree node was given to prune");
  // One frame per level being walked: its current child and how many children are left to visit.
  // `descended` says that the current child's own subtree has just been pruned.
  // The walk removes only the node it stands on, after reading its next sibling, so it follows
  // the links without taking references.
  struct Frame {
    TreeNode* current;
    std::int32_t remaining;
    bool descended;
  };
  std::vector<Frame> stack;
  stack.push_back({node->ChildNode(), node->Children(), false});
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.remaining <= 0 || !f.current) {
      stack.pop_back();
      continue;
    }
    TreeNode* const c = f.current;
    TreeNode* empty_level = nullptr;
    if (!f.descended) {
      if (c->Children() > 0) {
        f.descended = true;
        stack.push_back({c->ChildNode(), c->Children(), false});
        continue;
      }
      if (IsLevelNode(*c)) empty_level = c;
    } else {
      f.descended = false;
      if (IsLevelNode(*c) && c->Children() == 0) empty_level = c;
    }
    // The next sibling is read before the removal.
    f.current = c->NextNode();
    --f.remaining;
    if (empty_level) RemoveTreeNode(empty_level->shared_from_this(), tree);
  }
}

}  // namespace wheretree
