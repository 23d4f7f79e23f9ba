#include "sqltext/name_quoting.h"

#include <gtest/gtest.h>

#include <vector>

#include "sqltext/report_error.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

TEST(NameQuoting, EveryDialectCode) {
  const struct {
    std::int32_t code;
    std::u16string bound;  // BoundBlunkName of "a.b c"
    char16_t strips;       // the opening quote UnBoundBlunkName strips, 0 for none
  } cases[] = {{0, u"a.[b c]", u'['},   {1, u"a.\"b c\"", u'"'}, {2, u"a.[b c]", 0},
               {3, u"a.[b c]", u'['},   {4, u"a.[b c]", 0},      {5, u"a.\"b c\"", u'"'},
               {6, u"a.[b c]", 0},      {7, u"a.b c", 0},        {8, u"a.b c", 0},
               {9, u"a.\"b c\"", u'"'}, {10, u"a.b c", 0},       {11, u"a.b c", u'\''},
               {12, u"a.b c", 0},       {13, u"a.`b c`", u'`'},  {14, u"a.[b c]", u'['},
               {15, u"a.b c", 0},       {-1, u"a.b c", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    std::u16string name = u"a.b c", star = u"*";
    EXPECT_EQ(BoundBlunkName(c.code, name), c.bound);
    EXPECT_EQ(BoundBlunkName(c.code, star), u"*");
    const std::u16string marked = u"x\u0452y";
    if (c.strips == 0) {
      EXPECT_EQ(UnBoundBlunkName(c.code, u"[" + marked + u"]"), u"[" + marked + u"]");
    } else {
      const char16_t close = c.strips == u'[' ? u']' : c.strips;
      EXPECT_EQ(UnBoundBlunkName(c.code, c.strips + marked + close), u"x y");
      EXPECT_EQ(UnBoundBlunkName(c.code, marked), u"x y");
    }
  }
}

TEST(NameQuoting, BoundRewritesTheCallersName) {
  const struct {
    std::int32_t code;
    std::u16string name, result, name_after;
  } cases[] = {
      {13, u"my-table", u"`my-table`", u"my-table"},
      {0, u"a.b.c.d.e f", u"a.b.c.d.e f", u"a.b.c.d.e f"},  // five parts
      {1, u"a.b.c.d.\"e\"", u"a.b.c.d.\"e\"", u"a.b.c.d.\"\"e\"\""},
      {1, u"x\"y", u"\"x\"\"y\"", u"x\"\"y"},
      {0, u"[dbo]..\u0430\u042F_9", u"[[dbo]]..\u0430\u042F_9", u"[dbo]..\u0430\u042F_9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.name));
    std::u16string name = c.name;
    EXPECT_EQ(BoundBlunkName(c.code, name), c.result);
    EXPECT_EQ(name, c.name_after);
  }
  for (const std::u16string part :
       {u"\u0401", u"\u0451", u"\u0131", u"\u00E9", u"a.b", u"\u0452"}) {
    EXPECT_TRUE(IsNonStandardName(part)) << testing::Show(part);
  }
  EXPECT_FALSE(IsNonStandardName(u""));
  EXPECT_EQ(del_in_name(u"sales.dbo.Orders"), u"sales_dbo_Orders");
}

TEST(NameQuoting, UnboundStripsBetweenFirstOpenAndLastClose) {
  std::vector<std::u16string> reports;
  SetReportSink(
      [&reports](std::u16string_view source, auto, auto) { reports.emplace_back(source); });
  const struct {
    std::int32_t code;
    std::u16string name, result;
  } cases[] = {{0, u"dbo.[Orders]", u"Orders"}, {0, u"[a]b]c", u"a]b"},
               {1, u"\"\"\"x\"\"\"", u"\"x\""}, {11, u"'o''k'", u"o''k"},
               {0, u"[open", u"[open"},         {0, u"", u""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.name));
    EXPECT_EQ(UnBoundBlunkName(c.code, c.name), c.result);
  }
  SetReportSink({});
  EXPECT_EQ(reports,
            (std::vector<std::u16string>{u"UnBoundBlunkName :[open", u"UnBoundBlunkName :"}));
}

}  // namespace
}  // namespace wheretree
