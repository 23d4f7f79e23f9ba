#include "control/tree_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace wheretree {
namespace {

// Records every notification as a short line, to check that observers see each change once and in
// the about-to / done pairs item models need.
class Recorder : public TreeObserver {
 public:
  std::vector<std::string> log;
  void NodeAboutToBeInserted(const TreeNode* p, int row) override {
    log.push_back("insert? " + Name(p) + " " + std::to_string(row));
  }
  void NodeInserted(const NodeRef& n) override { log.push_back("insert " + Utf8(n->Key())); }
  void NodeAboutToBeRemoved(const TreeNode* p, int row, const NodeRef& n) override {
    log.push_back("remove? " + Name(p) + " " + std::to_string(row) + " " + Utf8(n->Key()));
  }
  void NodeRemoved(const TreeNode* p, int row) override {
    log.push_back("remove " + Name(p) + " " + std::to_string(row));
  }
  void NodeChanged(const NodeRef& n, NodeChange what) override {
    log.push_back("change " + Utf8(n->Key()) + " " + std::to_string(static_cast<int>(what)));
  }
  void Cleared() override { log.push_back("cleared"); }
  void SelectionChanged(const NodeRef& n) override {
    log.push_back("select " + (n ? Utf8(n->Key()) : std::string("-")));
  }

 private:
  static std::string Name(const TreeNode* p) { return p ? Utf8(p->Key()) : std::string("top"); }
};

// root(1) - a(2) - a1(3)
//         - b(4)
//         - c(5)
struct SmallTree : ::testing::Test {
  TreeView tree;
  NodeRef root = tree.Nodes().Add(u"r", u"", 6);
  NodeRef a = tree.Nodes().AddChild(u"r", u"a", u"A");
  NodeRef a1 = tree.Nodes().AddChild(a, u"a1", u"A1", 4);
  NodeRef b = tree.Nodes().AddChild(u"r", u"b", u"B", 4);
  NodeRef c = tree.Nodes().AddChild(u"r", u"c", u"C", 5);
};

TEST_F(SmallTree, LinksIndexesAndChildren) {
  EXPECT_EQ(tree.Nodes().Count(), 5);
  EXPECT_EQ(root->Children(), 3);
  EXPECT_EQ(root->Child(), a);
  EXPECT_EQ(a->Next(), b);
  EXPECT_EQ(c->Previous(), b);
  EXPECT_EQ(a1->Parent(), a);
  EXPECT_EQ(root->Parent(), nullptr);
  EXPECT_EQ(b->Index(), 4);
  EXPECT_EQ(tree.Nodes().Item(3), a1);
  EXPECT_EQ(tree.Nodes().Item(u"c"), c);
  EXPECT_EQ(c->Row(), 2);
  EXPECT_EQ(root->ChildAt(1), b);
  EXPECT_EQ(root->ChildAt(3), nullptr);
  EXPECT_FALSE(a->Image().has_value());
  EXPECT_EQ(*c->Image(), 5);
}

// The plain links and the visit in index order answer what the shared references and All() do,
// before and after a removal; a removed node refuses them like any other property.
TEST_F(SmallTree, PlainLinksAndVisitAgreeWithReferences) {
  const auto same = [&] {
    for (const NodeRef& n : tree.Nodes().All()) {
      SCOPED_TRACE(Utf8(n->Key()));
      EXPECT_EQ(n->ChildNode(), n->Child().get());
      EXPECT_EQ(n->NextNode(), n->Next().get());
      EXPECT_EQ(n->PreviousNode(), n->Previous().get());
      EXPECT_EQ(n->ParentNode(), n->Parent().get());
    }
    std::vector<const TreeNode*> visited;
    tree.Nodes().ForEach([&](TreeNode& n) { visited.push_back(&n); });
    std::vector<const TreeNode*> all;
    for (const NodeRef& n : tree.Nodes().All()) all.push_back(n.get());
    EXPECT_EQ(visited, all);
  };
  same();
  tree.Nodes().Remove(a);  // leaves a gap in the creation order until it is closed up
  same();
  EXPECT_WT_ERROR(a1->NextNode(), ErrorKind::no_object, "removed");
}

// Adding without a reference: the same node, key check and notifications as AddChild.
TEST(TreeView, AddChildNodeAddsLikeAddChild) {
  TreeView tree;
  Recorder rec;
  tree.AddObserver(&rec);
  const NodeRef r = tree.Nodes().Add(u"r", u"");
  TreeNode& x = tree.Nodes().AddChildNode(*r, u"x", u"X", 4);
  EXPECT_EQ(r->Child().get(), &x);
  EXPECT_EQ(x.Index(), 2);
  EXPECT_WT_ERROR(tree.Nodes().AddChildNode(*r, u"x", u""), ErrorKind::duplicate_key, "\"x\"");
  EXPECT_EQ(rec.log,
            (std::vector<std::string>{"insert? top 0", "insert r", "insert? r 0", "insert x"}));
  tree.RemoveObserver(&rec);
  // Without observers the key is checked when the node is indexed: same error, nothing added.
  EXPECT_WT_ERROR(tree.Nodes().AddChildNode(*r, u"x", u""), ErrorKind::duplicate_key,
                  "is already used by a tree node");
  EXPECT_EQ(tree.Nodes().Count(), 2);
  EXPECT_EQ(r->Children(), 1);
  TreeView other;
  EXPECT_WT_ERROR(other.Nodes().AddChildNode(*r, u"y", u""), ErrorKind::invalid_argument,
                  "another tree");
}

TEST_F(SmallTree, RemovalTakesSubtreeAndClosesIndexes) {
  tree.Nodes().Remove(2);  // a with a1
  EXPECT_EQ(tree.Nodes().Count(), 3);
  EXPECT_EQ(b->Index(), 2);
  EXPECT_EQ(c->Index(), 3);
  EXPECT_EQ(root->Child(), b);
  EXPECT_EQ(b->Previous(), nullptr);
  EXPECT_TRUE(a1->IsRemoved());
  // A removed node stays an object; using it is a clear error.
  EXPECT_WT_ERROR(a->Text(), ErrorKind::no_object, "tree node a was removed");
  EXPECT_WT_ERROR(a1->Index(), ErrorKind::no_object, "a1");
  EXPECT_WT_ERROR(tree.Nodes().Item(u"a1"), ErrorKind::out_of_range, "a1");
  // Its key is free again.
  EXPECT_NO_THROW(tree.Nodes().AddChild(u"b", u"a1", u"again"));
}

TEST_F(SmallTree, ErrorsOfTheCollection) {
  EXPECT_WT_ERROR(tree.Nodes().AddChild(u"r", u"b", u"dup"), ErrorKind::duplicate_key, "\"b\"");
  EXPECT_WT_ERROR(tree.Nodes().Item(0), ErrorKind::out_of_range, "outside 1..5");
  EXPECT_WT_ERROR(tree.Nodes().Item(6), ErrorKind::out_of_range, "outside 1..5");
  EXPECT_WT_ERROR(tree.Nodes().AddChild(u"zz", u"k", u""), ErrorKind::out_of_range, "zz");
  EXPECT_EQ(tree.Nodes().Count(), 5);
}

TEST_F(SmallTree, SelectionDropHighlightAndClear) {
  tree.SelectedItem(a1);
  tree.DropHighlight(b);
  tree.Nodes().Remove(a);
  EXPECT_EQ(tree.SelectedItem(), nullptr);  // the selected node went with its parent
  EXPECT_EQ(tree.DropHighlight(), b);
  tree.Nodes().Clear();
  EXPECT_EQ(tree.Nodes().Count(), 0);
  EXPECT_EQ(tree.DropHighlight(), nullptr);
  EXPECT_TRUE(root->IsRemoved());
  EXPECT_WT_ERROR(tree.SelectedItem(b), ErrorKind::no_object, "removed");
}

TEST_F(SmallTree, HitTestCountsVisibleRows) {
  // Nothing expanded: only the root is visible.
  EXPECT_EQ(tree.HitTest(5, 3), root);
  EXPECT_EQ(tree.HitTest(5, 20), nullptr);
  a1->EnsureVisible();  // expands r and a
  EXPECT_TRUE(root->Expanded());
  const float h = tree.RowHeight();
  EXPECT_EQ(tree.HitTest(0, 0 * h), root);
  EXPECT_EQ(tree.HitTest(0, 1 * h), a);
  EXPECT_EQ(tree.HitTest(0, 2 * h + 1), a1);
  EXPECT_EQ(tree.HitTest(0, 4 * h), c);
  EXPECT_EQ(tree.HitTest(0, 5 * h), nullptr);
  EXPECT_EQ(tree.HitTest(-1, 0), nullptr);
  tree.SetHitTester([&](float, float) { return b; });
  EXPECT_EQ(tree.HitTest(1000, 1000), b);
}

TEST(TagValue, VariantComparison) {
  EXPECT_TRUE(TagValue(std::int16_t{-1}).Equals(-1));
  EXPECT_TRUE(TagValue(u"-1").Equals(-1));
  EXPECT_FALSE(TagValue(u"-1 ").Equals(-1));
  EXPECT_FALSE(TagValue().Equals(0));
  EXPECT_TRUE(TagValue(std::int16_t{-1717}).Equals(-1717));
}

TEST(TreeObserver, SeesEveryChangeInPairs) {
  TreeView tree;
  Recorder rec;
  tree.AddObserver(&rec);
  auto r = tree.Nodes().Add(u"r", u"");
  auto x = tree.Nodes().AddChild(r, u"x", u"X");
  tree.Nodes().AddChild(r, u"y", u"Y");
  x->Text(u"X2");
  tree.SelectedItem(x);
  tree.Nodes().Remove(x);
  tree.Nodes().Clear();
  const std::vector<std::string> want = {"insert? top 0", "insert r", "insert? r 0", "insert x",
                                         "insert? r 1",   "insert y", "change x 0",  "select x",
                                         "remove? r 0 x", "select -", "remove r 0",  "cleared"};
  EXPECT_EQ(rec.log, want);
  tree.RemoveObserver(&rec);
}

TEST(TreeView, RemovalFreesDescendantsNobodyElseHolds) {
  // Only the tree holds y and z: removing x must not read them after letting them go.
  TreeView tree;
  const NodeRef root = tree.Nodes().Add(u"r", u"");
  tree.Nodes().AddChild(tree.Nodes().AddChild(tree.Nodes().AddChild(root, u"x", u""), u"y", u""),
                        u"z", u"Z");
  tree.Nodes().AddChild(root, u"w", u"W");
  tree.Nodes().Remove(2);
  EXPECT_EQ(tree.Nodes().Count(), 2);
  EXPECT_EQ(tree.Nodes().Item(2)->Key(), u"w");
  EXPECT_NO_THROW(tree.Nodes().AddChild(root, u"y", u""));  // the keys are free again
}

TEST(TreeView, DeepSubtreeRemovalNeedsNoRecursion) {
  TreeView tree;
  auto top = tree.Nodes().Add(u"k0", u"");
  NodeRef n = top;
  for (int i = 1; i < 32767; ++i) n = tree.Nodes().AddChild(n, u"k" + DecimalText(i), u"");
  EXPECT_WT_ERROR(tree.Nodes().AddChild(n, u"one-more", u""), ErrorKind::overflow, "32767");
  tree.Nodes().Remove(top->Child());
  EXPECT_EQ(tree.Nodes().Count(), 1);
  EXPECT_TRUE(n->IsRemoved());
}

}  // namespace
}  // namespace wheretree
