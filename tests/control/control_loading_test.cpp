#include <gtest/gtest.h>

#include "control/where_tree_view_control.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

const std::u16string kEmpDept =
    u"<T>EMP<AA>e<AA><PP>id,dept_id<PP><T>\r\n<T>DEPT<AA>d<AA><PP>id<PP><T>";

std::u16string Join(std::u16string_view from, std::u16string_view to, int type,
                    std::u16string_view op) {
  return u"<JOIN><FROM>" + std::u16string(from) + u"<FROM>\r\n<TO>" + std::u16string(to) +
         u"<TO>\r\n<TYPEJOIN>" + DecimalText(type) + u"<TYPEJOIN><TYPECOND>" + std::u16string(op) +
         u"<TYPECOND>\r\n<JOIN>\r\n";
}

struct Loading : ::testing::Test {
  WhereTreeViewControl control;
  std::string Write(std::int16_t sdvig = 0) {
    return testing::Show(control.CreateWhereString(sdvig));
  }
};

// Every example text loads and writes back as the tree rules say.
TEST_F(Loading, ExamplesRoundTrip) {
  struct Case {
    std::u16string where, tables, aml;
    std::string written;  // CreateWhereString(2)
  } cases[] = {
      {u"A And B Or (C Or D)", u"", u"", "\\r\\n  A And \\r\\n  B Or \\r\\n  (\\r\\nC Or \\r\\nD)"},
      {u"a.id = b.id And (x > 1 Or y LIKE 'a%') And f(z, 2) = 3", u"", u"",
       "\\r\\n  a.id = b.id And \\r\\n  (\\r\\nx > 1 Or \\r\\ny LIKE 'a%') And \\r\\n  f(z, 2) = "
       "3"},
      {u"e.dept_id = d.id(+) And e.id > 10 And (d.id = 5 Or e.id = d.id)", kEmpDept,
       Join(u"EMP\u040Fe\u040Fdept_id", u"DEPT\u040Fd\u040Fid", 1, u" = "),
       "\\r\\n  e.id > 10 And \\r\\n  (\\r\\nd.id = 5 Or \\r\\ne.id = d.id)"},
      // Every condition of a group becomes a join: the emptied group goes too.
      {u"x = 1 And (e.id = d.id And e.dept_id(+) >= d.id)", kEmpDept,
       Join(u"EMP\u040Fe\u040Fid", u"DEPT\u040Fd\u040Fid", 0, u" = ") +
           Join(u"EMP\u040Fe\u040Fdept_id", u"DEPT\u040Fd\u040Fid", 2, u" >= "),
       "\\r\\n  x = 1"},
      {u"", u"", u"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.where));
    std::u16string where = c.where;
    EXPECT_EQ(control.LoadWhereString(where, c.tables), c.aml);
    EXPECT_EQ(where, u"");
    EXPECT_EQ(Write(2), c.written);
  }
}

TEST_F(Loading, NormalisesLineBreaksAndSpaces) {
  std::u16string spaced = u"  a = 1\r\nAnd   b = 2\r\n";
  control.LoadWhereString(spaced);
  const std::string first = Write();
  std::u16string single = u"a = 1 And b = 2";
  control.LoadWhereString(single);
  EXPECT_EQ(Write(), first);
  EXPECT_EQ(first, "\\r\\na = 1 And \\r\\nb = 2");
  std::u16string lone_lf = u"a = 1\nAnd b = 2";  // a lone line feed is no space
  control.LoadWhereString(lone_lf);
  EXPECT_EQ(Write(), "\\r\\na = 1\\nAnd b = 2");
}

TEST_F(Loading, CounterFollowsTheParsedTreeAndNoJoinedNodeStays) {
  std::u16string where = u"e.id = d.id And (e.id = d.id) And z = 1";
  control.LoadWhereString(where, kEmpDept);
  EXPECT_EQ(control.NodeCounter(), 5);  // root + 4 parsed nodes, before the joins went
  for (const auto& n : control.TvWhere().Nodes().All()) EXPECT_FALSE(IsJoinedNode(*n));
  EXPECT_EQ(control.TvWhere().Nodes().Count(), 2);
  // The first member went, so the last one lost its connective.
  EXPECT_EQ(Write(), "\\r\\nz = 1");
  // Interactive keys continue above the parser's numbers.
  CurrentNode() = control.TvWhere().Nodes().Item(1);
  control.AddNode(u"q = 2", TypeOfLogic::SimpleAnd);
  EXPECT_NO_THROW(control.TvWhere().Nodes().Item(u"c_6"));
  CurrentNode() = nullptr;
}

TEST_F(Loading, FailuresLeaveTheTreeAsFarAsItGot) {
  std::u16string where = u"a = 1 And (b = 2";
  EXPECT_WT_ERROR(control.LoadWhereString(where), ErrorKind::invalid_argument, "never closed");
  EXPECT_EQ(control.TvWhere().Nodes().Count(), 2);
  EXPECT_EQ(where, u"(b = 2");

  where = u"e.id = d.id";
  EXPECT_WT_ERROR(control.LoadWhereString(where, u"<T>EMP<AA>e<AA><T>"), ErrorKind::out_of_range,
                  "PP");
  EXPECT_EQ(Write(), "\\r\\ne.id = d.id");

  where = std::u16string(40000, u'x');
  EXPECT_WT_ERROR(control.LoadWhereString(where), ErrorKind::overflow, "32767");
  EXPECT_EQ(control.TvWhere().Nodes().Count(), 1);
}

// The deepest nesting a load can take, with a join at the bottom, loaded, edited and written on a
// thread with a 1 MiB stack; the deepest text the length allows fails with a clear error.
TEST_F(Loading, DeepestNestingOnSmallStack) {
  const auto nested = [](int depth, std::u16string_view inner) {
    return std::u16string(static_cast<std::size_t>(depth), u'(') + std::u16string(inner) +
           std::u16string(static_cast<std::size_t>(depth), u')');
  };
  testing::RunWithStack(1 << 20, [&] {
    std::u16string where = nested(8870, u"e.id = d.id And z = 1");  // closes at 17761
    EXPECT_EQ(control.LoadWhereString(where, kEmpDept).empty(), false);
    control.ReplaceAliasName(u"z", u"q");  // no alias: the text stays
    const std::u16string written = control.CreateWhereString(2);
    EXPECT_EQ(written.substr(written.size() - 8875), u"z = 1" + std::u16string(8870, u')'));
    where = nested(16383, u"x");
    EXPECT_WT_ERROR(control.LoadWhereString(where), ErrorKind::invalid_argument, "search limit");
    TypeOfLogic logic = TypeOfLogic::LevelAnd;
    CurrentNode() = control.TvWhere().Nodes().Item(1);
    control.AddLevel(logic);
    EXPECT_EQ(control.DeleteNode(), u"");
  });
  CurrentNode() = nullptr;
}

TEST_F(Loading, RenameAliasAfterLoad) {
  std::u16string where = u"a.x = b.y And A .X = 1 And x = a And a.p(+) = 2";
  control.LoadWhereString(where);
  control.ReplaceAliasName(u"a", u"c");
  EXPECT_EQ(Write(), "\\r\\nc.x = b.y And \\r\\nc.X = 1 And \\r\\nx = a And \\r\\nc.p(+) = 2");
}

}  // namespace
}  // namespace wheretree
