#include <gtest/gtest.h>

#include "control/where_tree_view_control.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

struct Editing : ::testing::Test {
  std::shared_ptr<HeadlessMessageBox> box = std::make_shared<HeadlessMessageBox>();
  WhereTreeViewControl control{nullptr, box};
  TreeView& tree = control.TvWhere();

  void SetUp() override { CurrentNode() = nullptr; }
  NodeRef Node(std::u16string_view key) { return tree.Nodes().Item(key); }
  std::string Write() { return testing::Show(control.CreateWhereString(0)); }
};

TEST_F(Editing, AddNodeOnABareRootNeedsNoClick) {
  control.AddNode(u"a = 1", TypeOfLogic::SimpleOr);
  auto a = Node(u"c_2");  // the root took LP_1
  EXPECT_FALSE(a->Image().has_value());
  EXPECT_EQ(CurrentNode(), tree.Nodes().Item(1));
  EXPECT_EQ(tree.SelectedItem(), tree.Nodes().Item(1));
  EXPECT_EQ(tree.DropHighlight(), tree.Nodes().Item(1));
  control.AddNode(u"b = 2", TypeOfLogic::SimpleOr);
  EXPECT_EQ(*Node(u"c_3")->Image(), 5);
  control.AddNode(u"", TypeOfLogic::SimpleAnd);  // nothing, not even a counter step
  EXPECT_EQ(control.NodeCounter(), 3);
  EXPECT_EQ(Write(), "\\r\\na = 1 Or \\r\\nb = 2");
}

TEST_F(Editing, AddNodeWithAConditionCurrentAppendsToItsLevel) {
  control.AddNode(u"a", TypeOfLogic::SimpleAnd);
  control.AddNode(u"b", TypeOfLogic::SimpleAnd);
  CurrentNode() = Node(u"c_2");
  control.AddNode(u"c", TypeOfLogic::SimpleOr);
  EXPECT_EQ(Node(u"c_4")->Previous(), Node(u"c_3"));
  EXPECT_EQ(Write(), "\\r\\na And \\r\\nb Or \\r\\nc");
}

TEST_F(Editing, LevelsAtTheCurrentNode) {
  control.AddNode(u"a", TypeOfLogic::SimpleAnd);
  CurrentNode() = tree.Nodes().Item(1);
  TypeOfLogic logic = TypeOfLogic::SimpleOr;
  control.AddLevel(logic);
  EXPECT_EQ(logic, TypeOfLogic::LevelOr);
  CurrentNode() = Node(u"LP_3");
  control.AddNode(u"x", TypeOfLogic::SimpleAnd);  // first member of the empty level: no image
  control.AddNode(u"y", TypeOfLogic::SimpleAnd);
  EXPECT_FALSE(Node(u"c_4")->Image().has_value());
  // A level added while a condition is current hangs below it; the writer brackets them.
  CurrentNode() = Node(u"c_2");
  logic = TypeOfLogic::LevelAnd;
  control.AddLevel(logic);
  EXPECT_EQ(logic, TypeOfLogic::LevelAnd);
  CurrentNode() = Node(u"LP_6");
  control.AddNode(u"z", TypeOfLogic::SimpleAnd);
  EXPECT_EQ(Write(), "\\r\\n(a And \\r\\n(\\r\\nz)) Or \\r\\n(\\r\\nx And \\r\\ny)");
}

TEST_F(Editing, DeleteNode) {
  // Only the root: nothing happens and nothing is shown.
  EXPECT_EQ(control.DeleteNode(), u"");
  control.AddNode(u"a", TypeOfLogic::SimpleAnd);
  control.AddNode(u"b", TypeOfLogic::SimpleOr);
  control.AddNode(u"c", TypeOfLogic::SimpleAnd);
  EXPECT_EQ(control.DeleteNode(), u"");  // the root is current
  EXPECT_EQ(box->Count(), 0);
  CurrentNode() = Node(u"c_2");
  EXPECT_EQ(control.DeleteNode(), u"a");
  EXPECT_EQ(*Node(u"c_3")->Image(), 7);  // the new first member loses its connective
  EXPECT_EQ(Write(), "\\r\\nb And \\r\\nc");
  // The deleted node stays current; deleting it again fails with the notice.
  EXPECT_EQ(control.DeleteNode(), u"");
  ASSERT_TRUE(box->Last());
  EXPECT_EQ(box->Last()->text, u"Node isn't deleted !");
  EXPECT_EQ(box->Last()->title, u"Attention ");
  EXPECT_EQ(box->Last()->icon, MessageIcon::critical);
  CurrentNode() = nullptr;
  EXPECT_EQ(control.DeleteNode(), u"");
  EXPECT_EQ(box->Count(), 2);
}

TEST_F(Editing, DeletingALevelTakesItsMembersAndReturnsNothing) {
  TypeOfLogic logic = TypeOfLogic::LevelAnd;
  CurrentNode() = tree.Nodes().Item(1);
  control.AddLevel(logic);
  CurrentNode() = Node(u"LP_2");
  control.AddNode(u"x", TypeOfLogic::SimpleAnd);
  EXPECT_EQ(control.DeleteNode(), u"");
  EXPECT_EQ(tree.Nodes().Count(), 1);
  EXPECT_EQ(box->Count(), 0);
}

TEST(TwoControls, ShareTheCurrentNodeAndEndItOnTermination) {
  CurrentNode() = nullptr;
  WhereTreeViewControl first;
  {
    WhereTreeViewControl second;
    second.AddNode(u"s = 1", TypeOfLogic::SimpleAnd);  // the bare root of `second` is current
    // `first` now inserts at its own node with the current node's key: its root.
    first.AddNode(u"f = 1", TypeOfLogic::SimpleAnd);
    first.AddNode(u"g = 1", TypeOfLogic::SimpleOr);
    EXPECT_EQ(first.TvWhere().Nodes().Count(), 3);
    EXPECT_EQ(testing::Show(first.CreateWhereString()), "\\r\\nf = 1 Or \\r\\ng = 1");
    // Deleting a node of another control's tree is refused with the notice.
    CurrentNode() = second.TvWhere().Nodes().Item(u"c_2");
    EXPECT_EQ(first.DeleteNode(), u"");
    EXPECT_EQ(second.TvWhere().Nodes().Count(), 2);
  }
  EXPECT_EQ(CurrentNode(), nullptr);
}

}  // namespace
}  // namespace wheretree
