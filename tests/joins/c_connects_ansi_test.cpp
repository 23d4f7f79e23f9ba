#include <gtest/gtest.h>

#include <chrono>

#include "joins_test_support.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

TEST(CreJoinAnsi, Layouts) {
  const struct {
    std::vector<std::string_view> joins;
    std::u16string_view expected;
  } cases[] = {
      {{}, u""},
      {{"ORDERS o CUST_ID CUSTOMERS c ID"}, u"ORDERS o INNER JOIN CUSTOMERS c ON o.CUST_ID = c.ID"},
      {{"ORDERS o CUST_ID CUSTOMERS c ID", "CUSTOMERS c REGION_ID REGIONS r ID 1"},
       u"(ORDERS o INNER JOIN CUSTOMERS c ON o.CUST_ID = c.ID) LEFT OUTER JOIN REGIONS r ON "
       u"c.REGION_ID = r.ID"},
      {{"ORDERS o A CUSTOMERS c A", "ORDERS o B CUSTOMERS c B"},
       u"ORDERS o INNER JOIN CUSTOMERS c ON o.B = c.B AND o.A = c.A"},
      {{"ORDERS ORDERS CUST_ID CUSTOMERS c ID 0 3", "T1 t1 _ _ _ _"},
       u"T1 t1, ORDERS INNER JOIN CUSTOMERS c ON ORDERS.CUST_ID < c.ID"},
      {{"T1 t1 _ _ _ _", "T2 T2 _ _ _ _"}, u"T2, T1 t1"},
      {{"A a X B b X", "ORDERS o CUST_ID CUSTOMERS c ID 2", "B b Y C c2 Y"},
       u"(A a INNER JOIN B b ON a.X = b.X) INNER JOIN C c2 ON b.Y = c2.Y, ORDERS o RIGHT OUTER "
       u"JOIN CUSTOMERS c ON o.CUST_ID = c.ID"},
      // Entered from the to side, left and right swap; conditions still print from side first.
      {{"ORDERS o EMP_ID EMPLOYEES e ID", "CUSTOMERS c ID ORDERS o CUST_ID 1",
        "X x ID EMPLOYEES e X_ID 2"},
       u"((ORDERS o INNER JOIN EMPLOYEES e ON o.EMP_ID = e.ID) RIGHT OUTER JOIN CUSTOMERS c ON "
       u"c.ID = o.CUST_ID) LEFT OUTER JOIN X x ON x.ID = e.X_ID"},
      {{"A a X B b X", "B b Y C c Y", "C c Z A a Z"},  // a cycle closes in the second ON
       u"(A a INNER JOIN B b ON a.X = b.X) INNER JOIN C c ON c.Z = a.Z AND b.Y = c.Y"},
      // A first table joined to itself under its own alias counts twice in the chain, so its
      // next condition lands in the first ON and B is never joined.
      {{"A a X A a Y", "A a Z B b Z"}, u"A a INNER JOIN A a ON a.Z = b.Z AND a.X = a.Y"},
      {{"A _ X B _ Y", "C _ X D _ Y 1"}, u"A  INNER JOIN B  ON .X = .Y AND .X = .Y"},
      {{"ORDERS o CUST_ID CUSTOMERS c ID 7 9"},
       u"ORDERS o UNKNOWN TYPE CONNECTCUSTOMERS c ON o.CUST_ID UNKNOWN CONDISHION FOR CONNECTc.ID"},
  };
  for (const auto& c : cases) {
    for (const bool fl_from : {false, true}) {
      SCOPED_TRACE(testing::Show(c.expected));
      c_connects joins;
      testing::Fill(joins, c.joins);
      const auto expected = (fl_from ? u"" : u"  FROM ") + std::u16string(c.expected);
      EXPECT_EQ(testing::Show(joins.CreJoinAnsi(fl_from)), testing::Show(expected));
      EXPECT_EQ(joins.Count(), 0);
    }
  }
}

// A chain t0 - t1 - ... - t8191 with two conditions per pair: no rescanning per table.
TEST(CreJoinAnsi, LongChainStaysFast) {
  c_connects joins;
  for (int i = 1; i < 8192; ++i) {
    const auto pair = "t" + std::to_string(i - 1) + " x T t" + std::to_string(i);
    testing::Fill(joins, {"T " + pair + " y",
                          "T t" + std::to_string(i) + " z T t" + std::to_string(i - 1) + " w 1"});
  }
  const auto start = std::chrono::steady_clock::now();
  const auto text = joins.CreJoinAnsi(true);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_TRUE(text.starts_with(std::u16string(8190, u'(') + u"T t0 INNER JOIN T t1 ON t1.z"));
  EXPECT_TRUE(text.ends_with(u"T t8191 ON t8191.z = t8190.w AND t8190.x = t8191.y"));
}

}  // namespace
}  // namespace wheretree
