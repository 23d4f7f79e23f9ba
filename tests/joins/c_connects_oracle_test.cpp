#include <gtest/gtest.h>

#include "joins_test_support.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

constexpr std::string_view kOrders = "ORDERS o CUST_ID CUSTOMERS c ID";

// Join codes other than 0..2 empty the conditions but not the FROM list.
TEST(OracleWriters, Layouts) {
  const struct {
    std::vector<std::string_view> joins;
    std::u16string_view where, from;  // with FlWhere / FlFrom; without, the keyword comes first
  } cases[] = {
      {{}, u"", u""},
      {{"T1 t1 _ _ _ _ 9"}, u"", u"T1 t1"},
      {{kOrders}, u"(o.CUST_ID = c.ID)", u"ORDERS o, \r\n       CUSTOMERS c"},
      {{kOrders, "T1 t1 _ _ _ _", "CUSTOMERS c REGION_ID REGIONS r ID 1",
        "CUSTOMERS c REGION_ID REGIONS r ID 2 4"},
       u"(o.CUST_ID = c.ID AND \r\n       c.REGION_ID = r.ID(+) AND \r\n       "
       u"c.REGION_ID(+) >= r.ID)",
       u"ORDERS o, \r\n       CUSTOMERS c, \r\n       T1 t1, \r\n       REGIONS r"},
      {{"ORDERS _ CUST_ID CUSTOMERS _ ID 0 6"},
       u"(ORDERS.CUST_ID UNKNOWN CONDISHION FOR CONNECTCUSTOMERS.ID)",
       u"ORDERS "},
      {{"EMP EMP ID DEPT _ ID"}, u"(EMP.ID = DEPT.ID)", u"EMP"},
      // First occurrence wins, from side before to side; an alias names one table.
      {{"CUSTOMERS c R REGIONS r ID -1", kOrders, "REGIONS r X ORDERS o Y", "O2 o X R2 r Y"},
       u"",
       u"CUSTOMERS c, \r\n       REGIONS r, \r\n       ORDERS o"},
      {{"EMP e1 MGR EMP e2 ID 3"}, u"", u"EMP e1, \r\n       EMP e2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.from));
    c_connects joins;
    testing::Fill(joins, c.joins);
    EXPECT_EQ(testing::Show(joins.CreJoinOracle(true)), testing::Show(c.where));
    const auto where = c.where.empty() ? u"" : u" WHERE " + std::u16string(c.where);
    EXPECT_EQ(testing::Show(joins.CreJoinOracle()), testing::Show(where));
    EXPECT_EQ(testing::Show(joins.FromOracle(true)), testing::Show(c.from));
    EXPECT_EQ(testing::Show(joins.FromOracle()), "  FROM " + testing::Show(c.from));
    EXPECT_EQ(joins.Count(), static_cast<std::int32_t>(c.joins.size()));
  }
}

// Positions are counted in 16 bits: with 32767 connections the counter overflows after the
// last condition, leaving the unfinished text; with one more it fails before the first.
TEST(CreJoinOracle, SixteenBitCounter) {
  testing::ReportLog log;
  c_connects joins;
  testing::Fill(joins, std::vector<std::string_view>(32767, kOrders));
  const auto unfinished = joins.CreJoinOracle();
  EXPECT_EQ(unfinished.size(), 32767u * 30);
  EXPECT_TRUE(unfinished.starts_with(u"o.CUST_ID = c.ID AND \r\n       o."));
  testing::Fill(joins, {kOrders});
  EXPECT_EQ(joins.CreJoinOracle(), u"");
  EXPECT_EQ(log.sources, std::vector<std::u16string>(2, u"  CreJoinOracle"));
}

}  // namespace
}  // namespace wheretree
