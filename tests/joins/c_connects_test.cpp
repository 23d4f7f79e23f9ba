#include "joins/c_connects.h"

#include <gtest/gtest.h>

#include "joins_test_support.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

TEST(AddNew, NormalisesNamesOnBothSides) {
  const struct {
    std::int32_t vid_sql;
    bool use_schema, flag_sql;
    std::u16string alias, table, field;
    std::u16string t_from, t_from_ali, p_from, printed;
  } cases[] = {
      {0, true, false, u"dbo_Orders", u"dbo.Orders", u"ID", u"dbo_Orders", u"dbo_Orders", u"ID",
       u"dbo_Orders"},
      {2, false, false, u"o", u"sales.Orders", u"ID", u"Orders", u"o", u"ID", u"Orders o"},
      {2, true, false, u"a.b", u"T", u"ID", u"T", u"a_b", u"ID", u"T a_b"},
      {0, false, true, u"x", u"dbo.my table", u"ID", u"my table", u"x", u"ID", u"my table x"},
      {0, true, false, u"my t", u"my t", u"my f", u"[my t]", u"[my t]", u"[my f]", u"[my t]"},
      // Quoting doubles the quote inside the table copy, which then differs from the alias.
      {1, false, false, u"s.a\"b", u"s.a\"b", u"ID", u"\"a\"\"b\"", u"\"s_a\"\"b\"", u"ID",
       u"\"a\"\"b\" \"s_a\"\"b\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.table));
    c_connects joins;
    const auto made = joins.addNEW(c.vid_sql, c.use_schema, c.alias, c.table, c.flag_sql, c.field,
                                   c.alias, c.table, c.flag_sql, c.field, 2, 5, u"sql");
    ASSERT_EQ(joins.Item(joins.Count()), made);
    EXPECT_EQ(Utf8(made->t_from() + u"|" + made->t_from_ali() + u"|" + made->p_from() + u"|" +
                   made->TblPlusAlias(-1) + u"|" + made->TblPlusAlias(1) + u"|" + made->p_to()),
              Utf8(c.t_from + u"|" + c.t_from_ali + u"|" + c.p_from + u"|" + c.printed + u"|" +
                   c.printed + u"|" + c.p_from));
    EXPECT_EQ(made->FlagSql_From() + made->FlagSql_To() + made->tp_con() * 10 + made->con_con(),
              2 * c.flag_sql + 25);
    EXPECT_EQ(made->SQL(), u"sql");
  }
}

TEST(Collection, ItemAndRemoveNeverThrow) {
  testing::ReportLog log;
  c_connects joins;
  const auto first = joins.Add();
  joins.Add();
  const auto third = joins.Add();
  first->t_from(u"first");
  for (const std::int32_t position : {0, -1, 4}) {
    EXPECT_EQ(joins.Item(position), nullptr);
    joins.Remove(position);
  }
  EXPECT_EQ(joins.Item(u"first"), nullptr);  // connections carry no key
  joins.Remove(u"first");                    // text keys compare with nm_line, which stays empty
  EXPECT_EQ(joins.Count(), 3);
  joins.Remove(2);
  EXPECT_EQ(joins.Item(2), third);
  joins.Remove(u"");  // the first connection
  ASSERT_EQ(joins.Count(), 1);
  EXPECT_EQ(joins.Item(1), third);
  EXPECT_EQ(first->t_from(), u"first");  // still valid after the collection dropped it
  const std::u16string item = u"c_connects.Item", remove = u"c_connects.Remove";
  EXPECT_EQ(log.sources, (std::vector{item, remove, item, remove, item, remove, item}));
}

}  // namespace
}  // namespace wheretree
