#include <gtest/gtest.h>

#include "control/where_tree_view_control.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

// root
// ├─ c_2 "a = 1"
// ├─ c_3 "b = 2" (image 4)
// └─ LP_4 level (image 3)
//    └─ c_5 "x = 9"
struct Gestures : ::testing::Test {
  WhereTreeViewControl control;
  TreeView& tree = control.TvWhere();
  float row = tree.RowHeight();

  void SetUp() override {
    CurrentNode() = nullptr;
    control.AddNode(u"a = 1", TypeOfLogic::SimpleAnd);
    control.AddNode(u"b = 2", TypeOfLogic::SimpleAnd);
    TypeOfLogic logic = TypeOfLogic::LevelOr;
    control.AddLevel(logic);
    CurrentNode() = tree.Nodes().Item(u"LP_4");
    control.AddNode(u"x = 9", TypeOfLogic::SimpleAnd);
    // Visible rows: root 0, c_2 1, c_3 2, LP_4 3, c_5 4.
  }
  NodeRef Node(std::u16string_view key) { return tree.Nodes().Item(key); }
  void Press(std::int16_t button, int visible_row) {
    control.TvWhere_MouseDown(button, 0, 5, row * static_cast<float>(visible_row) + 1);
  }
};

TEST_F(Gestures, ClickMakesTheSelectionCurrent) {
  tree.SelectedItem(Node(u"c_3"));
  control.TvWhere_NodeClick(Node(u"c_3"));
  control.TvWhere_Click();
  EXPECT_EQ(CurrentNode(), Node(u"c_3"));
  EXPECT_EQ(tree.DropHighlight(), Node(u"c_3"));
  tree.SelectedItem(nullptr);
  control.TvWhere_Click();
  EXPECT_EQ(CurrentNode(), nullptr);
}

TEST_F(Gestures, RightDoubleClickTogglesAndOr) {
  struct Case {
    int row;
    std::int16_t button;
    std::u16string key;
    std::optional<std::int16_t> before, after;
  } cases[] = {
      {2, kRightButton, u"c_3", 4, 5},
      {2, kRightButton, u"c_3", 5, 4},
      {3, kRightButton, u"LP_4", 3, 2},
      {3, kLeftButton, u"LP_4", 2, 2},
      {1, kRightButton, u"c_2", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    EXPECT_EQ(Node(c.key)->Image(), c.before);
    Press(c.button, c.row);
    control.TvWhere_DblClick();
    EXPECT_EQ(Node(c.key)->Image(), c.after);
  }
  Press(kRightButton, 0);  // the root is never a target
  EXPECT_EQ(control.MouseNode(), nullptr);
  control.TvWhere_DblClick();
  EXPECT_EQ(*tree.Nodes().Item(1)->Image(), 6);
  Press(kRightButton, 40);  // nothing under the pointer
  control.TvWhere_DblClick();
}

TEST_F(Gestures, MouseEventsReachTheHostWhoseChangesCount) {
  std::vector<std::string> seen;
  control.Events().MouseDown = [&](std::int16_t& b, std::int16_t& s, float& x, float& y) {
    seen.push_back("down " + std::to_string(b) + std::to_string(s));
    b = kRightButton;
    y = row * 2 + 1;
    (void)x;
  };
  control.Events().MouseUp = [&](std::int16_t& b, std::int16_t&, float&, float&) {
    seen.push_back("up " + std::to_string(b));
  };
  control.TvWhere_MouseDown(kLeftButton, 1, 0, 0);
  control.TvWhere_MouseUp(kLeftButton, 0, 0, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"down 11", "up 1"}));
  EXPECT_EQ(control.MouseButton(), kRightButton);
  EXPECT_EQ(control.MouseNode(), Node(u"c_3"));
}

TEST_F(Gestures, DragAndDropSwapsTextsOnly) {
  Press(kLeftButton, 1);  // drag a = 1 ...
  std::int32_t effects = 7;
  control.TvWhere_OLEStartDrag(effects);
  EXPECT_EQ(effects, 1);
  EXPECT_TRUE(control.IsDragging());
  control.TvWhere_OLEDragOver(5, row * 4 + 2);  // ... onto x = 9
  EXPECT_EQ(tree.DropHighlight(), Node(u"c_5"));
  control.TvWhere_OLEDragDrop(5, row * 4 + 2);
  EXPECT_FALSE(control.IsDragging());
  EXPECT_EQ(Node(u"c_2")->Text(), u"x = 9");
  EXPECT_EQ(Node(u"c_5")->Text(), u"a = 1");
  EXPECT_EQ(tree.SelectedItem(), Node(u"c_5"));
  EXPECT_FALSE(Node(u"c_2")->Image().has_value());  // images stay with their positions

  // Onto a level (no text): nothing changes, and the drag still ends.
  control.TvWhere_OLEStartDrag(effects);
  control.TvWhere_OLEDragOver(5, row * 3 + 2);
  control.TvWhere_OLEDragDrop(5, row * 3 + 2);
  EXPECT_EQ(Node(u"c_2")->Text(), u"x = 9");
  EXPECT_FALSE(control.IsDragging());

  // Without a drag under way the pointer leaves the highlight alone; a drop without a target
  // fails quietly.
  tree.DropHighlight(nullptr);
  control.TvWhere_OLEDragOver(5, row * 2);
  EXPECT_EQ(tree.DropHighlight(), nullptr);
  control.TvWhere_OLEDragDrop(0, 0);
  EXPECT_FALSE(control.IsDragging());
}

TEST_F(Gestures, LabelEditsCanBeVetoedOrChanged) {
  auto node = Node(u"c_3");
  control.Events().BeforeLabelEdit = [](std::int16_t& cancel) { cancel = 1; };
  EXPECT_FALSE(control.BeginLabelEdit(node));
  control.Events().BeforeLabelEdit = nullptr;
  EXPECT_TRUE(control.BeginLabelEdit(node));
  control.LabelEdit(1);  // manual: only the host starts edits
  EXPECT_FALSE(control.BeginLabelEdit(node));
  EXPECT_TRUE(control.BeginLabelEdit(node, false));

  control.Events().AfterLabelEdit = [](std::int16_t& cancel, std::u16string& text) {
    if (text.empty()) cancel = 1;
    text += u" ";
  };
  EXPECT_FALSE(control.EndLabelEdit(node, u""));
  EXPECT_EQ(node->Text(), u"b = 2");
  EXPECT_TRUE(control.EndLabelEdit(node, u"b = 3"));
  EXPECT_EQ(node->Text(), u"b = 3 ");
}

}  // namespace
}  // namespace wheretree
