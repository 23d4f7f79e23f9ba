#include "catalogue/aml.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace wheretree {
namespace {

TEST(Aml, CreateAmlTag) {
  EXPECT_EQ(CreateAmlTag(u"AA", u"E", true), u"<AA>E<AA>");
  EXPECT_EQ(CreateAmlTag(u"AA", u"E", false), u"<AA>E");
}

TEST(Aml, SplitAmlTag) {
  struct Case {
    std::u16string text;
    std::int32_t limit;
    std::vector<std::u16string> pieces;
  } cases[] = {
      {u"", -1, {u" "}},
      {u"no tags", -1, {u"no tags"}},
      {u"head<T>a<T>\r\nskip<t>b<t>tail", -1, {u"head", u"a", u"b"}},
      {u"<T><T><T> x <T>", -1, {u"", u"", u" x "}},
      {u"<TT>a<T>b<T>", -1, {u"<TT>a", u"b"}},
      {u"<T>a<T><T>b<T>", 3, {u"", u"a"}},  // the third piece keeps the rest: <T>b<T>
      {u"<T>a<T>", 0, {}},
  };
  for (auto c : cases) {
    SCOPED_TRACE(testing::Show(c.text) + " limit " + std::to_string(c.limit));
    const std::u16string before = c.text;
    EXPECT_EQ(SplitAmlTag(u"T", c.text, c.limit), StringArray(c.pieces));
    EXPECT_EQ(c.text, before.empty() ? u" " : before);  // only an empty text is rewritten
  }
}

TEST(Aml, SplitAmlTagFailures) {
  struct Case {
    std::u16string text;
    std::int32_t limit;
    ErrorKind kind;
    std::string fragment;
  } cases[] = {
      {u"<T>a", -1, ErrorKind::out_of_range, "<T> occurs 1 times, an odd number"},
      {u"x<T>a<T><t>b", -1, ErrorKind::out_of_range, "occurs 3 times"},
      {u"<T>a<T><T>b<T>", 2, ErrorKind::out_of_range, "within the limit of 2 pieces"},
      {u"<T>a<T>", -2, ErrorKind::invalid_argument, "-2"},
  };
  for (auto c : cases) {
    SCOPED_TRACE(testing::Show(c.text));
    EXPECT_WT_ERROR(SplitAmlTag(u"T", c.text, c.limit), c.kind, c.fragment);
  }
  std::u16string many;
  for (int i = 0; i < kMaxInt16; ++i) many += u"<T>";
  EXPECT_WT_ERROR(SplitAmlTag(u"T", many, -1), ErrorKind::out_of_range, "32767 times");
  many += u"<T>";
  EXPECT_EQ(SplitAmlTag(u"T", many, 3).Size(), 2u);  // the limit stops before the count overflows
  EXPECT_WT_ERROR(SplitAmlTag(u"T", many, -1), ErrorKind::overflow, "number of <T> tags");
}

}  // namespace
}  // namespace wheretree
