#include "sqltext/text_utils.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace wheretree {
namespace {

const StringArray kOperators = SplitAtCommas(u"=,<>,>=,<=,>,<");

// A list as text for comparisons with readable failures: {"a ", " b"}, or "none".
std::string Shown(const StringArray& list) {
  if (!list.HasArray()) return "none";
  std::string out;
  for (const auto& item : list) out += (out.empty() ? "{\"" : ", \"") + testing::Show(item) + "\"";
  return out.empty() ? "{}" : out + "}";
}

TEST(TextUtils, CollapseSpacesAndRepeat) {
  for (const auto& [text, expected] : std::vector<std::pair<std::u16string, std::u16string>>{
           {u"a    b", u"a b"}, {u"a \t b", u"a \t b"}, {u"'x   y' ", u"'x y' "}, {u"", u""}}) {
    SCOPED_TRACE(testing::Show(text));
    EXPECT_EQ(CollapseSpaces(text), expected);
  }
  EXPECT_EQ(CollapseSpaces(std::u16string(2'000'000, u' ')), u" ");  // one pass, not quadratic
  EXPECT_EQ(RepeatString(u"ab", 2), u"abab");
  EXPECT_EQ(RepeatString(u"ab", -4), u"");
  EXPECT_WT_ERROR(RepeatString(u" ", 32768), ErrorKind::overflow, "repeat count");
}

TEST(TextUtils, CountOccurrencesRewritesStart) {
  const struct {
    std::u16string text, part;
    std::int16_t start, count, start_after;
  } cases[] = {{u"s.t.f", u".", 0, 2, 0}, {u"s.t.f", u"", 0, 0, 1},  {u"s.t.f", u"", 4, 0, 4},
               {u"aaa", u"aa", 0, 1, 0},  {u"AbAB", u"ab", 0, 2, 0}, {u"a.b.c", u".", 3, 1, 0},
               {u"x.", u".", 9, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.text) + " / " + testing::Show(c.part));
    std::int16_t start = c.start;
    EXPECT_EQ(CountOccurrences(c.text, c.part, start), c.count);
    EXPECT_EQ(start, c.start_after);
  }
  std::int16_t start = 0;
  EXPECT_EQ(CountOccurrences(std::u16string(32767, u'.'), u".", start), 32767);
  EXPECT_WT_ERROR(CountOccurrences(std::u16string(32768, u'x'), u".", start), ErrorKind::overflow,
                  "32768");
  start = -2;
  EXPECT_WT_ERROR(CountOccurrences(u"a.b", u".", start), ErrorKind::invalid_argument, "-2");
}

TEST(TextUtils, SplitAtOperatorsAndJoinBack) {
  const struct {
    std::u16string text;
    std::string pieces, found;
  } cases[] = {
      {u"a.x >= b.y", R"({"a.x ", " b.y"})", R"({">="})"},
      {u"a <> b", R"({"a ", " b"})", R"({"<>"})"},
      {u"x =", R"({"x "})", R"({"="})"},
      {u"a = b = c", R"({"a ", " b ", " c"})", R"({"=", "="})"},
      {u"a<b<>c>=d", R"({"a", "b", "c", "d"})", R"({"<", "<>", ">="})"},  // re-searched, ties
      {u"a IS NULL", R"({"a IS NULL"})", R"({"as it was"})"},  // no find: found untouched
      {u"", "none", R"({"as it was"})"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.text));
    StringArray found({u"as it was"});
    const StringArray pieces = SplitBySeparators(c.text, kOperators, found);
    EXPECT_EQ(Shown(pieces), c.pieces);
    EXPECT_EQ(Shown(found), c.found);
    if (pieces.HasArray() && c.text.back() != u'=') {
      EXPECT_EQ(JoinPieces(pieces, found), c.text);  // undoes the split
    }
  }
  EXPECT_EQ(JoinPieces(StringArray({u"a", u"b", u"c"}), StringArray({u" And ", u" Or ", u"x"})),
            u"a And b Or c");
}

TEST(TextUtils, SplitLimitsAndFailures) {
  StringArray found;
  EXPECT_EQ(Shown(SplitBySeparators(u"x AND y and", StringArray({u" and"}), found)),
            R"({"x", " y"})");
  EXPECT_EQ(Shown(SplitBySeparators(u"==", StringArray({u"=", u""}), found)), R"({"", ""})");
  EXPECT_WT_ERROR(SplitBySeparators(u"a=", StringArray({u"=", u""}), found),
                  ErrorKind::invalid_argument, "empty");
  EXPECT_WT_ERROR(SplitBySeparators(u"a", StringArray(), found), ErrorKind::out_of_range, "");
  EXPECT_EQ(SplitBySeparators(std::u16string(32767, u'='), kOperators, found).Size(), 32767u);
  EXPECT_WT_ERROR(SplitBySeparators(std::u16string(32768, u'a'), kOperators, found),
                  ErrorKind::overflow, "32768");
  EXPECT_WT_ERROR(JoinPieces(StringArray(), kOperators), ErrorKind::out_of_range, "no array");
}

TEST(TextUtils, PairCountReachedAndCommaLists) {
  const struct {
    StringArray list;
    std::u16string first, second;
    std::int32_t limit;
    bool reached;
  } cases[] = {{StringArray({u"e", u"d"}), u"e", u"d", 2, true},
               {StringArray({u"e"}), u"e", u"e", 2, true},
               {StringArray({u"e", u"x"}), u"e", u"d", 2, false},
               {StringArray({u"", u"E"}), u"", u"e", 2, false},
               {StringArray(std::vector<std::u16string>{}), u"e", u"e", 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(Shown(c.list) + " " + testing::Show(c.first) + " " + testing::Show(c.second));
    EXPECT_EQ(PairCountReached(c.list, c.first, c.second, c.limit), c.reached);
  }
  EXPECT_WT_ERROR(PairCountReached(StringArray(), u"e", u"e", 1), ErrorKind::out_of_range, "");
  EXPECT_EQ(Shown(SplitAtCommas(u"a,,b,")), R"({"a", "", "b", ""})");
  EXPECT_EQ(Shown(SplitAtCommas(u"")), "{}");
}

}  // namespace
}  // namespace wheretree
