#include <gtest/gtest.h>

#include "joins_test_support.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

constexpr std::string_view kOrders = "ORDERS o CUST_ID CUSTOMERS c ID";

TEST(CreJoinOracle, Layouts) {
  const struct {
    std::vector<std::string_view> joins;
    std::u16string_view expected;  // with FlWhere; without, " WHERE " comes in front
  } cases[] = {
      {{}, u""},
      {{"T1 t1 _ _ _ _ 9"}, u""},
      {{kOrders}, u"(o.CUST_ID = c.ID)"},
      {{kOrders, "T1 t1 _ _ _ _", "CUSTOMERS c REGION_ID REGIONS r ID 1",
        "CUSTOMERS c REGION_ID REGIONS r ID 2 4"},
       u"(o.CUST_ID = c.ID AND \r\n       c.REGION_ID = r.ID(+) AND \r\n       "
       u"c.REGION_ID(+) >= r.ID)"},
      {{"ORDERS _ CUST_ID CUSTOMERS _ ID 0 6"},
       u"(ORDERS.CUST_ID UNKNOWN CONDISHION FOR CONNECTCUSTOMERS.ID)"},
      {{kOrders, "CUSTOMERS c REGION_ID REGIONS r ID -1"}, u""},  // no Oracle form
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.expected));
    c_connects joins;
    testing::Fill(joins, c.joins);
    EXPECT_EQ(testing::Show(joins.CreJoinOracle(true)), testing::Show(c.expected));
    const auto where = c.expected.empty() ? u"" : u" WHERE " + std::u16string(c.expected);
    EXPECT_EQ(testing::Show(joins.CreJoinOracle()), testing::Show(where));
    EXPECT_EQ(joins.Count(), static_cast<std::int32_t>(c.joins.size()));
  }
}

// Positions are counted in 16 bits: with 32767 connections the counter overflows after the
// last condition, leaving the unfinished text; with one more it fails before the first.
TEST(CreJoinOracle, SixteenBitCounter) {
  c_connects joins;
  testing::Fill(joins, std::vector<std::string_view>(32767, kOrders));
  const auto unfinished = joins.CreJoinOracle();
  EXPECT_EQ(unfinished.size(), 32767u * 30);
  EXPECT_TRUE(unfinished.starts_with(u"o.CUST_ID = c.ID AND \r\n       o."));
  testing::Fill(joins, {kOrders});
  EXPECT_EQ(joins.CreJoinOracle(), u"");
}

TEST(FromOracle, Layouts) {
  const struct {
    std::vector<std::string_view> joins;
    std::u16string_view expected;  // with FlFrom; without, "  FROM " comes in front
  } cases[] = {
      {{}, u""},
      {{kOrders, "CUSTOMERS c REGION_ID REGIONS r ID 1"},
       u"ORDERS o, \r\n       CUSTOMERS c, \r\n       REGIONS r"},
      // First occurrence wins, from side before to side; an alias names one table.
      {{"CUSTOMERS c R REGIONS r ID", kOrders, "REGIONS r X ORDERS o Y", "O2 o X R2 r Y"},
       u"CUSTOMERS c, \r\n       REGIONS r, \r\n       ORDERS o"},
      {{"EMP e1 MGR EMP e2 ID"}, u"EMP e1, \r\n       EMP e2"},
      {{"EMP EMP ID DEPT _ ID", "T1 t1 _ _ _ _"}, u"EMP, \r\n       T1 t1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.expected));
    c_connects joins;
    testing::Fill(joins, c.joins);
    EXPECT_EQ(testing::Show(joins.FromOracle(true)), testing::Show(c.expected));
    EXPECT_EQ(testing::Show(joins.FromOracle()), "  FROM " + testing::Show(c.expected));
    EXPECT_EQ(joins.Count(), static_cast<std::int32_t>(c.joins.size()));
  }
}

}  // namespace
}  // namespace wheretree
