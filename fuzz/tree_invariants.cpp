#include "tree_invariants.h"

#include <string>
#include <unordered_set>

#include "common/text.h"
#include "control/condition_tree.h"
#include "fuzz_input.h"

namespace wheretree::fuzz {
namespace {

bool IsNumberedKey(const std::u16string& key) {
  std::size_t digits = 0;
  if (key.starts_with(u"LP_")) {
    digits = 3;
  } else if (key.starts_with(u"c_")) {
    digits = 2;
  } else {
    return false;
  }
  if (digits == key.size() || key[digits] == u'0') return false;
  for (std::size_t i = digits; i < key.size(); ++i) {
    if (key[i] < u'0' || key[i] > u'9') return false;
  }
  return true;
}

}  // namespace

void CheckTreeStructure(const TreeView& tree) {
  const auto nodes = tree.Nodes().All();
  Expect(static_cast<std::size_t>(tree.Nodes().Count()) == nodes.size(),
         "Count equals the number of nodes held");
  if (nodes.empty()) return;
  Expect(nodes.front()->Parent() == nullptr, "node 1 is the root");
  std::unordered_set<std::u16string> keys;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const NodeRef& node = nodes[i];
    Expect(node && !node->IsRemoved(), "every listed node is alive");
    Expect(node->Index() == static_cast<std::int16_t>(i + 1), "Index runs 1..Count in order",
           node->Key());
    Expect(IsNumberedKey(node->Key()), "a key is LP_n or c_n", node->Key());
    Expect(keys.insert(node->Key()).second, "keys are unique", node->Key());
    const NodeRef parent = node->Parent();
    Expect(i == 0 || parent != nullptr, "only node 1 has no parent", node->Key());
    if (parent) {
      Expect(!parent->IsRemoved(), "a parent is in the tree", node->Key());
      Expect(parent->Index() < node->Index(), "a parent comes before its children", node->Key());
    }
    std::int32_t children = 0;
    NodeRef previous;
    for (NodeRef c = node->Child(); c; c = c->Next()) {
      Expect(c->Parent() == node, "a child's parent is the node it hangs under", c->Key());
      Expect(c->Previous() == previous, "sibling links agree", c->Key());
      previous = c;
      Expect(++children <= static_cast<std::int32_t>(nodes.size()), "sibling lists end");
    }
    Expect(children == node->Children(), "Children counts the child list", node->Key());
  }
}

void CheckLoadedTree(const TreeView& tree) {
  CheckTreeStructure(tree);
  Expect(tree.Nodes().Count() >= 1, "a loaded tree has its root");
  for (const NodeRef& node : tree.Nodes().All()) {
    Expect(!IsJoinedNode(*node), "no node keeps the joined marker after a load", node->Text());
    if (node->Parent()) {
      Expect(!IsLevelNode(*node) || node->Children() > 0, "no empty level below the root",
             node->Key());
    }
  }
}

}  // namespace wheretree::fuzz
