#include "control/condition_tree.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace wheretree {
namespace {

struct ConditionTree : ::testing::Test {
  TreeView tree;
  std::int32_t counter = 0;

  void SetUp() override { CurrentNode() = nullptr; }
  void TearDown() override { CurrentNode() = nullptr; }

  NodeRef Level(const NodeRef& parent, std::optional<std::int16_t> image = 2) {
    auto n = tree.Nodes().AddChild(parent, LevelKey(++counter), u"", image);
    n->Tag(TagValue(u"-1"));
    return n;
  }
  NodeRef Cond(const NodeRef& parent, const char16_t* text, std::optional<std::int16_t> image) {
    return tree.Nodes().AddChild(parent, LevelKey(++counter), text, image);
  }
  NodeRef Root() {
    TypeOfLogic t = TypeOfLogic::LevelAnd;
    return CreateLevelNode(t, tree, counter);
  }
};

TEST_F(ConditionTree, CreateLevelNodeRules) {
  TypeOfLogic t = TypeOfLogic::SimpleOr;
  auto root = CreateLevelNode(t, tree, counter);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Key(), u"LP_1");
  EXPECT_EQ(*root->Image(), 6);
  EXPECT_TRUE(IsLevelNode(*root));
  EXPECT_TRUE(root->Tag().IsNumber());

  // No current node on a non-empty tree: nothing, but the counter moved on.
  t = TypeOfLogic::LevelAnd;
  EXPECT_EQ(CreateLevelNode(t, tree, counter), nullptr);
  EXPECT_EQ(counter, 2);

  // Current node an empty level (the root): image 1 and the caller's variable becomes 1.
  CurrentNode() = root;
  t = TypeOfLogic::SimpleAnd;
  auto first = CreateLevelNode(t, tree, counter);
  EXPECT_EQ(*first->Image(), 1);
  EXPECT_EQ(t, TypeOfLogic::LevelBegin);
  EXPECT_EQ(first->Key(), u"LP_3");

  // A level with children: 4 becomes 2 in the caller's variable and the image.
  t = TypeOfLogic::SimpleAnd;
  auto second = CreateLevelNode(t, tree, counter);
  EXPECT_EQ(t, TypeOfLogic::LevelAnd);
  EXPECT_EQ(*second->Image(), 2);

  // A condition node current: the level hangs below it.
  auto cond = Cond(root, u"a = 1", 4);
  CurrentNode() = cond;
  t = TypeOfLogic::LevelOr;
  auto below = CreateLevelNode(t, tree, counter);
  EXPECT_EQ(below->Parent(), cond);
  EXPECT_EQ(*below->Image(), 3);

  // A removed current node: the failure is cleared and nothing is returned.
  tree.Nodes().Remove(cond);
  t = TypeOfLogic::LevelAnd;
  EXPECT_EQ(CreateLevelNode(t, tree, counter), nullptr);
}

TEST_F(ConditionTree, CounterOverflowIsClearedSilently) {
  counter = 2147483647;
  TypeOfLogic t = TypeOfLogic::LevelAnd;
  EXPECT_EQ(CreateLevelNode(t, tree, counter), nullptr);
  EXPECT_EQ(tree.Nodes().Count(), 0);
}

TEST_F(ConditionTree, RemoveTreeNodeGivesImageSevenToTheNewFirstMember) {
  auto root = Root();
  auto a = Cond(root, u"a", std::nullopt);
  auto b = Cond(root, u"b", 4);
  auto c = Cond(root, u"c", 5);
  RemoveTreeNode(b, tree);  // the middle one: no image changes
  EXPECT_EQ(*c->Image(), 5);
  RemoveTreeNode(a, tree);  // the first one: the next becomes "Begin"
  EXPECT_EQ(*c->Image(), 7);
  RemoveTreeNode(c, tree);  // the only child: nothing to change, the level is left empty
  EXPECT_EQ(root->Children(), 0);
  RemoveTreeNode(root, tree);  // the root stays
  EXPECT_EQ(tree.Nodes().Count(), 1);
}

TEST_F(ConditionTree, PruneEmptyLevels) {
  auto root = Root();
  auto keep = Cond(root, u"k", std::nullopt);
  auto outer = Level(root);
  Level(outer);  // an empty level inside a level: both go in one call
  auto cond = Cond(root, u"c", 4);
  auto under = Level(cond);  // an empty level below a condition: only the level goes
  auto full = Level(root, 3);
  auto inside = Cond(full, u"x", std::nullopt);
  PruneEmptyLevels(root, tree);
  EXPECT_EQ(root->Children(), 3);
  EXPECT_EQ(root->Child(), keep);
  EXPECT_EQ(keep->Next(), cond);
  EXPECT_EQ(cond->Children(), 0);
  EXPECT_TRUE(under->IsRemoved());
  EXPECT_EQ(inside->Parent(), full);
  EXPECT_EQ(tree.Nodes().Count(), 5);
}

TEST_F(ConditionTree, PruningLeadingEmptyLevelsPassesImageSevenOn) {
  auto root = Root();
  Level(root, std::nullopt);
  Level(root, 2);
  auto c = Cond(root, u"c", 5);
  PruneEmptyLevels(root, tree);
  EXPECT_EQ(root->Child(), c);
  EXPECT_EQ(*c->Image(), 7);
}

TEST_F(ConditionTree, PruneHandlesDeepChainsWithoutRecursion) {
  auto root = Root();
  NodeRef n = root;
  for (int i = 0; i < 20000; ++i) n = Level(n);
  PruneEmptyLevels(root, tree);
  EXPECT_EQ(tree.Nodes().Count(), 1);
}

}  // namespace
}  // namespace wheretree
