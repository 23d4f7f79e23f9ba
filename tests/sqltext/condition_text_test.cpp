#include "sqltext/condition_text.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace wheretree {
namespace {

TEST(ConditionText, CutOuterJoinSignAndConditionCode) {
  const struct {
    std::u16string operand, after;
    bool cut;
  } cuts[] = {{u" d.id(+)", u" d.id", true},
              {u"e.id(+) ", u"e.id(", true},  // left of " = ": the space goes, "(" stays
              {u"d.id(+", u"d.id(+", false}};
  for (const auto& c : cuts) {
    SCOPED_TRACE(testing::Show(c.operand));
    std::u16string operand = c.operand;
    EXPECT_EQ(CutOuterJoinSign(operand), c.cut);
    EXPECT_EQ(operand, c.after);
  }
  const std::u16string ops[] = {u"=", u" <> ", u">", u"<", u" >= ", u"<=", u"LIKE", u"\t<", u"=>"};
  const std::int32_t codes[] = {0, 1, 2, 3, 4, 5, 0, 0, 0};
  for (std::size_t i = 0; i < std::size(ops); ++i) EXPECT_EQ(ConditionCode(ops[i]), codes[i]) << i;
}

TEST(ConditionText, SplitFieldReference) {
  const struct {
    std::u16string reference;
    std::int32_t dialect;
    std::u16string first, second, field;
    std::int16_t dots;
  } cases[] = {
      {u" e.dept_id(", 1, u"e", u"", u"dept_id", 1},
      {u"hr.emp.id", 1, u"hr.emp", u"hr.emp", u"id", 2},
      {u"a.b.c.d", 1, u"", u"", u"", 3},
      {u"(id)", 1, u"", u"", u"id", 0},
      {u"\"my alias\".\"a\"\"b\"", 1, u"my alias", u"", u"a\"b", 1},
      {u"dbo.[Order\u0452Lines].Id", 0, u"Order Lines", u"Order Lines", u"Id", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.reference));
    std::u16string first = u"old", second = u"old", field = u"old";
    EXPECT_EQ(SplitFieldReference(c.reference, first, second, field, c.dialect), c.dots);
    EXPECT_EQ(first + u"|" + second + u"|" + field, c.first + u"|" + c.second + u"|" + c.field);
  }
  std::u16string first, second, field = u"old";
  EXPECT_WT_ERROR(SplitFieldReference(std::u16string(32768, u'x'), first, second, field, 1),
                  ErrorKind::overflow, "32768");
  EXPECT_EQ(field, u"");
}

}  // namespace
}  // namespace wheretree
