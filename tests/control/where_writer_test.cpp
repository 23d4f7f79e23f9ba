#include "control/where_writer.h"

#include <gtest/gtest.h>

#include "control/condition_tree.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

struct Writer : ::testing::Test {
  TreeView tree;
  int n = 0;
  NodeRef root = Level(nullptr, 6);

  NodeRef Level(const NodeRef& parent, std::optional<std::int16_t> image) {
    const auto key = LevelKey(++n);
    auto node =
        parent ? tree.Nodes().AddChild(parent, key, u"", image) : tree.Nodes().Add(key, u"", image);
    node->Tag(TagValue(LevelTag));
    return node;
  }
  NodeRef Cond(const NodeRef& parent, std::u16string text, std::optional<std::int16_t> image) {
    return tree.Nodes().AddChild(parent, LevelKey(++n), std::move(text), image);
  }
};

TEST(ConnectiveOfImage, Table) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"", u""},      {u"1", u""}, {u"2", u" And "}, {u"3", u" Or "}, {u"4", u" And "},
      {u"5", u" Or "}, {u"6", u""}, {u"7", u""},      {u"0", u""},     {u"02", u""}};
  for (const auto& [image, connective] : cases) {
    SCOPED_TRACE(testing::Show(image));
    EXPECT_EQ(ConnectiveOfImage(image), connective);
  }
}

TEST_F(Writer, WorkedExample) {
  Cond(root, u"A", std::nullopt);
  Cond(root, u"B", 4);
  auto level = Level(root, 3);
  Cond(level, u"C", std::nullopt);
  Cond(level, u"D", 5);
  EXPECT_EQ(WriteLevel(root, 0, 2), u"\r\n  A And \r\n  B Or \r\n  (\r\nC Or \r\nD)");
  EXPECT_EQ(WriteLevel(root, 0, 0), u"\r\nA And \r\nB Or \r\n(\r\nC Or \r\nD)");
  EXPECT_EQ(WriteLevel(root, 0, -3), WriteLevel(root, 0, 0));
  EXPECT_EQ(WriteLevel(level, 1, 0), u"(\r\nC Or \r\nD)");
}

TEST_F(Writer, ConnectivesComeFromImagesButNeverForTheFirstMember) {
  EXPECT_EQ(WriteLevel(root, 0, 2), u"");
  Cond(root, u"A", 5);  // a first member's image is never written
  Cond(root, u"B", 7);  // images 1, 6, 7 or none join without connective
  Cond(root, u"C", std::nullopt);
  Cond(root, u"D", 1);
  EXPECT_EQ(WriteLevel(root, 0, 1), u"\r\n A\r\n B\r\n C\r\n D");
}

TEST_F(Writer, NestedLevelsAndConditionsWithChildren) {
  auto l1 = Level(root, 1);
  auto l2 = Level(l1, 1);
  auto l3 = Level(l2, 1);
  Cond(l3, u"x", std::nullopt);
  Level(root, 2);  // empty: only its lead is written
  auto c = Cond(root, u"p = 1", 5);
  Cond(c, u"q = 2", 4);
  Cond(c, u"r = 3", 4);
  EXPECT_EQ(WriteLevel(root, 0, 2),
            u"\r\n  (\r\n(\r\n(\r\nx))) And \r\n   Or \r\n  (p = 1 And \r\nq = 2 And \r\nr = 3)");
}

TEST_F(Writer, DeepChainWithoutRecursion) {
  NodeRef n = root;
  for (int i = 0; i < 20000; ++i) n = Level(n, 1);
  Cond(n, u"x", std::nullopt);
  const auto text = WriteLevel(root, 0, 0);
  EXPECT_EQ(text.size(), 20000u * 4 + 3);  // CR LF "(" and ")" per level, CR LF "x"
}

}  // namespace
}  // namespace wheretree
