#include "control/node_key_index.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

#include "control/tree_view.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

// Keys found through the tree after random additions and subtree removals, against a plain map.
// Few distinct hash slots are not forced, but thousands of keys in a table kept at most half full
// make long probe runs, so removals must close their gaps correctly.
TEST(NodeKeyIndex, FindsExactlyTheKeysOfTheNodesStillInTheTree) {
  std::mt19937 random(5);
  TreeView tree;
  std::map<std::u16string, NodeRef> alive;
  int next = 0;
  for (int step = 0; step < 6000; ++step) {
    if (alive.empty() || random() % 3 != 0) {
      const std::u16string key = u"k" + DecimalText(next++);
      NodeRef parent;
      if (!alive.empty()) {
        auto it = alive.begin();
        std::advance(it, static_cast<long>(random() % alive.size()));
        parent = it->second;
      }
      alive[key] = parent ? tree.Nodes().AddChild(parent, key, u"") : tree.Nodes().Add(key, u"");
      EXPECT_WT_ERROR(tree.Nodes().Add(key, u""), ErrorKind::duplicate_key, "already used");
    } else {
      auto it = alive.begin();
      std::advance(it, static_cast<long>(random() % alive.size()));
      tree.Nodes().Remove(it->second);
      for (auto n = alive.begin(); n != alive.end();) {
        n = n->second->IsRemoved() ? alive.erase(n) : std::next(n);
      }
    }
    if (step % 97 == 0) {
      ASSERT_EQ(tree.Nodes().Count(), static_cast<std::int16_t>(alive.size()));
      for (const auto& [key, node] : alive) ASSERT_EQ(tree.Nodes().Item(key), node);
      for (int k = 0; k < next; ++k) {
        const std::u16string key = u"k" + DecimalText(k);
        if (!alive.contains(key)) {
          EXPECT_WT_ERROR(tree.Nodes().Item(key), ErrorKind::out_of_range, "no tree node");
        }
      }
    }
  }
}

}  // namespace
}  // namespace wheretree
