#include "sqltext/join_extraction.h"

#include <gtest/gtest.h>

#include "control/condition_tree.h"
#include "sqltext/where_parser.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

// Parses `where` under a root and extracts its joins against EMP (e: id, dept_id, x, y),
// DEPT (d: id, x, y) and S.T (u: f, v); describes every connection and what stays unmarked.
struct Extracted {
  std::vector<std::string> connections;
  std::vector<std::string> kept;
};

Extracted Extract(std::u16string where) {
  TreeView tree;
  auto root = tree.Nodes().Add(u"LP_1", u"", 6);
  root->Tag(TagValue(LevelTag));
  ParseWhereToTree(where, root, tree.Nodes());
  tables catalogue;
  std::u16string aml =
      u"<T>EMP<AA>e,a<AA><PP>id,dept_id,x,y<PP><T><T>DEPT<AA>d,b<AA><PP>id,x,y<PP><T>"
      u"<T>S.T<AA>u<AA><PP>f,v<PP><T>";
  catalogue.AddFromAml(aml);
  c_connects connections;
  EXPECT_EQ(ExtractJoins(root, catalogue, connections), u"");
  Extracted out;
  for (std::int32_t i = 1; i <= connections.Count(); ++i) {
    const auto c = connections.Item(i);
    out.connections.push_back(Utf8(c->t_from()) + " " + Utf8(c->t_from_ali()) + "." +
                              Utf8(c->p_from()) + " " + std::to_string(c->con_con()) + " " +
                              Utf8(c->t_to()) + " " + Utf8(c->t_to_ali()) + "." + Utf8(c->p_to()) +
                              " type " + std::to_string(c->tp_con()));
  }
  for (const auto& n : tree.Nodes().All()) {
    if (!n->Text().empty() && !IsJoinedNode(*n)) out.kept.push_back(Utf8(n->Text()));
    if (IsJoinedNode(*n)) {
      EXPECT_TRUE(n->Tag().IsNumber());
    }
  }
  return out;
}

using Rows = std::vector<std::string>;

TEST(ExtractJoins, WorkedExample) {
  const auto r = Extract(u"e.dept_id = d.id(+) And e.id > 10 And (d.id = 5 Or e.id = d.id)");
  EXPECT_EQ(r.connections, Rows{"EMP e.dept_id 0 DEPT d.id type 1"});
  EXPECT_EQ(r.kept, (Rows{"e.id > 10", "d.id = 5", "e.id = d.id"}));
}

TEST(ExtractJoins, OperatorsAndOuterJoinSigns) {
  struct Case {
    std::u16string where;
    Rows connections;
  } cases[] = {
      {u"e.x = d.y(+)", {"EMP e.x 0 DEPT d.y type 1"}},
      {u"e.x(+) = d.y", {"EMP e.x 0 DEPT d.y type 2"}},
      {u"e.x(+) = d.y(+)", {"EMP e.x 0 DEPT d.y type 1"}},
      {u"e.x <> d.y", {"EMP e.x 1 DEPT d.y type 0"}},
      {u"e.x >= d.y", {"EMP e.x 4 DEPT d.y type 0"}},
      {u"e.x < d.y", {"EMP e.x 3 DEPT d.y type 0"}},
      {u"e.x = e.y", {"EMP e.x 0 EMP e.y type 0"}},   // a table joined to itself
      {u"a.x = b.y", {"EMP a.x 0 DEPT b.y type 0"}},  // the second alias of each table
      {u"e.x = 5", {}},
      {u"e.x = 'b.y'", {}},
      {u"e.x (+) = d.y", {}},  // the space stays in the field name after the cut
      {u"e.x = d.y = e.y", {}},
      {u"e.x IS NULL", {}},
      {u"e.x =", {}},
      {u"id = x", {"EMP EMP.id 0 EMP EMP.x type 0"}},  // bare fields: the first table with aliases
      {u"s.t.f = u.v", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.where));
    EXPECT_EQ(Extract(c.where).connections, c.connections);
  }
}

TEST(ExtractJoins, OnlyAndLevelsAreSearched) {
  EXPECT_EQ(Extract(u"e.x = d.y Or c = 1").connections, Rows{});
  // The group is the first child of an Or level (image 1): it is entered.
  EXPECT_EQ(Extract(u"(e.x = d.y And c = 1) Or z = 2").connections,
            Rows{"EMP e.x 0 DEPT d.y type 0"});
  // A group with image 3 is not.
  EXPECT_EQ(Extract(u"(c = 1) Or (e.x = d.y And z = 2)").connections, Rows{});
  // Depth first, in tree order.
  EXPECT_EQ(Extract(u"e.id = d.id And (e.x = d.x And (e.y = d.y)) And a.x = b.x").connections,
            (Rows{"EMP e.id 0 DEPT d.id type 0", "EMP e.x 0 DEPT d.x type 0",
                  "EMP e.y 0 DEPT d.y type 0", "EMP a.x 0 DEPT b.x type 0"}));
  // A condition without text (malformed input) is left alone.
  EXPECT_EQ(Extract(u"( And e.x = d.y)").connections, Rows{"EMP e.x 0 DEPT d.y type 0"});
}

}  // namespace
}  // namespace wheretree
