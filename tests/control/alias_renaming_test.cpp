#include "control/alias_renaming.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace wheretree {
namespace {

TEST(ReplaceAliasInNodes, RenamesOnlyPiecesFollowedByADot) {
  struct Case {
    std::u16string before, after;
  } cases[] = {
      {u"a.x = b.y", u"c.x = b.y"},
      {u"A.X = 1", u"c.X = 1"},
      {u"x = a", u"x = a"},
      {u"b.x = a .y", u"b.x =c.y"},  // the spaces around a replaced alias are lost
      {u"a.x<>a.y", u"c.x<>c.y"},
      {u"s.a.f = 1", u"s.c.f = 1"},
      {u"a.", u"a"},  // a trailing separator is lost when the text is joined again
      {u"aa.x + a2.y * a.z", u"aa.x + a2.y *c.z"},
      {u"", u""},
  };
  TreeView tree;
  auto root = tree.Nodes().Add(u"LP_1", u"");
  int n = 1;
  for (const auto& c : cases) tree.Nodes().AddChild(root, u"k" + DecimalText(++n), c.before);
  ReplaceAliasInNodes(u"a", u"c", tree);
  n = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.before));
    EXPECT_EQ(tree.Nodes().Item(++n)->Text(), c.after);
  }
}

}  // namespace
}  // namespace wheretree
