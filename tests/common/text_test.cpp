#include "common/text.h"

#include <gtest/gtest.h>

#include <random>

#include "support/test_support.h"

namespace wheretree {
namespace {

TEST(CaseFolding, FoldsLatinCyrillicAndKeepsLength) {
  struct Case {
    std::u16string a, b;
    bool equal;
  } cases[] = {
      {u"AND", u"and", true},
      {u"\u040F", u"\u045F", true},              // the AML field separator and its small form
      {u"\u0416\u0401", u"\u0436\u0451", true},  // Cyrillic Zhe, Io
      {u"\u00C9t\u00E9", u"\u00E9T\u00C9", true},
      {u"stra\u00DFe", u"STRASSE", false},  // simple folding never changes the length
      {u"a", u"b", false},
      {u"\U00010400", u"\U00010428", true},  // Deseret: folded as a whole code point
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.a) + " ~ " + testing::Show(c.b));
    EXPECT_EQ(EqualsIgnoreCase(c.a, c.b), c.equal);
    EXPECT_EQ(FoldCase(c.a).size(), c.a.size());
  }
}

TEST(CaseFolding, FindIgnoreCase) {
  EXPECT_EQ(FindIgnoreCase(u"x AnD y", u" and "), 1u);
  EXPECT_EQ(FindIgnoreCase(u"x and y and z", u" AND ", 2), 7u);
  EXPECT_EQ(FindIgnoreCase(u"abc", u"d"), std::u16string_view::npos);
  EXPECT_EQ(FindIgnoreCase(u"abc", u"", 3), 3u);
  EXPECT_EQ(FindIgnoreCase(u"abc", u"a", 4), std::u16string_view::npos);
  EXPECT_EQ(FindIgnoreCase(u"<t>\u045F<T>", u"\u040F"), 3u);
}

// The search takes shortcuts for needles that begin with a unit nothing else folds to ("<"), so
// it is checked against folding both texts and searching plainly, over units that fold from
// several others: K, k and the Kelvin sign; s, S and the long s; a surrogate pair.
TEST(CaseFolding, FindIgnoreCaseAgreesWithFoldingBothTexts) {
  const std::u16string units = u"<>Kk\u212ASs\u017F \U0001F600";
  std::mt19937 random(7);
  const auto text_of = [&](std::size_t length) {
    std::u16string t;
    for (std::size_t i = 0; i < length; ++i) t += units[random() % units.size()];
    return t;
  };
  for (int round = 0; round < 20000; ++round) {
    const std::u16string haystack = text_of(random() % 12);
    const std::u16string needle = text_of(1 + random() % 3);
    const std::size_t from = random() % (haystack.size() + 2);
    std::size_t expected = std::u16string::npos;
    if (from <= haystack.size()) {
      // Folding keeps lengths, so positions of the folded texts are positions of the texts.
      expected = FoldCase(haystack).find(FoldCase(needle), from);
    }
    ASSERT_EQ(FindIgnoreCase(haystack, needle, from), expected)
        << ToUtf8(haystack) << " / " << ToUtf8(needle) << " from " << from;
  }
}

TEST(Utf8, RoundTripAndErrors) {
  const std::u16string text = u"e.id = '\u0416' \U0001F600";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_WT_ERROR(FromUtf8("ab\xC3"), ErrorKind::invalid_argument, "offset 2");
  EXPECT_WT_ERROR(FromUtf8("\xFF"), ErrorKind::invalid_argument, "offset 0");
}

TEST(Limits, CheckInt16) {
  EXPECT_EQ(CheckInt16(32767, "x"), 32767);
  EXPECT_EQ(CheckInt16(-32768, "x"), -32768);
  EXPECT_WT_ERROR(CheckInt16(32768, "the text length"), ErrorKind::overflow,
                  "the text length is 32768");
}

TEST(Text, TrimAndDecimal) {
  EXPECT_EQ(TrimSpaces(u"  a b \t "), u"a b \t");
  EXPECT_EQ(TrimSpaces(u"   "), u"");
  EXPECT_EQ(DecimalText(-12), u"-12");
}

}  // namespace
}  // namespace wheretree
