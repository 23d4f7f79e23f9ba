#include "sqltext/where_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/condition_tree.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

// Parses `where` under a fresh root LP_1 and describes every parsed node as
// "key parent image text" (image "-" for none, text in brackets; "L" marks a level tagged "-1").
struct Parsed {
  TreeView tree;
  std::vector<std::string> rows;
  std::u16string rest;
};

void Parse(Parsed& p, std::u16string where) {
  p.tree.Nodes().Add(u"LP_1", u"", 6)->Tag(TagValue(std::int16_t{-1}));
  try {
    ParseWhereToTree(where, p.tree.Nodes().Item(1), p.tree.Nodes());
  } catch (...) {
    p.rest = where;
    throw;
  }
  p.rest = where;
}

std::vector<std::string> Rows(const TreeView& tree) {
  std::vector<std::string> rows;
  for (const auto& n : tree.Nodes().All()) {
    if (!n->Parent()) continue;
    const auto image = n->Image();
    std::string row = Utf8(n->Key()) + " " + Utf8(n->Parent()->Key()) + " " +
                      (image ? std::to_string(*image) : std::string("-"));
    if (n->Tag().IsText() && n->Tag().Text() == u"-1") row += " L";
    if (!n->Text().empty() || !n->Tag().IsText()) row += " [" + Utf8(n->Text()) + "]";
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> ParseRows(std::u16string where) {
  Parsed p;
  Parse(p, std::move(where));
  EXPECT_EQ(p.rest, u"");
  return Rows(p.tree);
}

TEST(WhereParser, WorkedExample) {
  EXPECT_EQ(
      ParseRows(u"a.id = b.id And (x > 1 Or y LIKE 'a%') And f(z, 2) = 3"),
      (std::vector<std::string>{"LP_2 LP_1 - [a.id = b.id]", "LP_3 LP_1 2 L", "LP_4 LP_3 - [x > 1]",
                                "LP_5 LP_3 5 [y LIKE 'a%']", "LP_6 LP_1 4 [f(z, 2) = 3]"}));
}

TEST(WhereParser, MembersLevelsAndImages) {
  struct Case {
    std::u16string where;
    std::vector<std::string> rows;
  } cases[] = {
      {u"", {}},
      {u"()", {"LP_2 LP_1 1 L"}},
      {u"a = 1", {"LP_2 LP_1 - [a = 1]"}},
      {u"(a = 1)", {"LP_2 LP_1 1 L", "LP_3 LP_2 - [a = 1]"}},
      {u"a = 1 and b = 2 OR c = 3",
       {"LP_2 LP_1 - [a = 1]", "LP_3 LP_1 4 [b = 2]", "LP_4 LP_1 5 [c = 3]"}},
      // Without a space before the bracket AND is no separator.
      {u"a = 1 AND(b = 2)", {"LP_2 LP_1 - [a = 1 AND(b = 2)]"}},
      {u"a = 1 AND\t b = 2", {"LP_2 LP_1 - [a = 1 AND\t b = 2]"}},
      {u"x BETWEEN 1 AND 5", {"LP_2 LP_1 - [x BETWEEN 1]", "LP_3 LP_1 4 [5]"}},
      {u"name = 'Tom And Jerry'", {"LP_2 LP_1 - [name = 'Tom]", "LP_3 LP_1 4 [Jerry']"}},
      {u"NOT (a = 1 Or b = 2)", {"LP_2 LP_1 - [NOT (a = 1 Or b = 2)]"}},
      {u"a IN (1, 2) Or b = 3", {"LP_2 LP_1 - [a IN (1, 2)]", "LP_3 LP_1 5 [b = 3]"}},
      {u"((a = 1 Or b = 2)) And c = 3",
       {"LP_2 LP_1 1 L", "LP_3 LP_2 1 L", "LP_4 LP_3 - [a = 1]", "LP_5 LP_3 5 [b = 2]",
        "LP_6 LP_1 4 [c = 3]"}},
      {u"( a = 1 )", {"LP_2 LP_1 1 L", "LP_3 LP_2 - [ a = 1 ]"}},
      {u"f(x) = ')' And y = 1 And z = 2",
       {"LP_2 LP_1 - [f(x) = ')' And y = 1]", "LP_3 LP_1 4 [z = 2]"}},
      {u"a = 1 Or (b = 2) And (c = 3 Or d = 4)",
       {"LP_2 LP_1 - [a = 1]", "LP_3 LP_1 3 L", "LP_4 LP_3 - [b = 2]", "LP_5 LP_1 2 L",
        "LP_6 LP_5 - [c = 3]", "LP_7 LP_5 5 [d = 4]"}},
      {u"f(x) + g(y) = 1 And b = 2", {"LP_2 LP_1 - [f(x) + g(y) = 1]", "LP_3 LP_1 4 [b = 2]"}},
      // A group that begins with a separator gives a condition without text.
      {u"( Or a = 1)", {"LP_2 LP_1 1 L", "LP_3 LP_2 - []", "LP_4 LP_2 5 [a = 1]"}},
      // Text after a group that is no separator keeps the whole member as one condition.
      {u"(a + b) > 3 And c = 1", {"LP_2 LP_1 - [(a + b) > 3]", "LP_3 LP_1 4 [c = 1]"}},
      {u"(a = 1)And b = 2", {"LP_2 LP_1 - [(a = 1)And b = 2]"}},
      {u"x = 1 Or (a = 1) (b = 2)", {"LP_2 LP_1 - [x = 1]", "LP_3 LP_1 5 [(a = 1) (b = 2)]"}},
      // An unmatched "(" after other text keeps the rest of its level as one condition.
      {u"x LIKE 'a(%' And y = 1", {"LP_2 LP_1 - [x LIKE 'a(%' And y = 1]"}},
      {u"\u0416 = 1 AnD \u0436 = 2", {"LP_2 LP_1 - [\u0416 = 1]", "LP_3 LP_1 4 [\u0436 = 2]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.where));
    EXPECT_EQ(ParseRows(c.where), c.rows);
  }
}

TEST(WhereParser, UnclosedBracketFailsAndKeepsWhatWasParsed) {
  Parsed p;
  EXPECT_WT_ERROR(Parse(p, u"a = 1 And (b = 2 Or c = 3"), ErrorKind::invalid_argument,
                  "opening bracket at position 11 is never closed");
  EXPECT_EQ(Rows(p.tree), (std::vector<std::string>{"LP_2 LP_1 - [a = 1]"}));
  EXPECT_EQ(p.rest, u"(b = 2 Or c = 3");

  Parsed nested;
  EXPECT_WT_ERROR(Parse(nested, u"x = 1 Or ((b = 2) Or (c = 3)"), ErrorKind::invalid_argument,
                  "position 10");
  EXPECT_EQ(nested.rest, u"((b = 2) Or (c = 3)");

  // A quoted "(" inside a group leaves the group unclosed.
  Parsed quoted;
  EXPECT_WT_ERROR(Parse(quoted, u"z = 0 Or (x LIKE 'a(%' Or y = 1) Or w = 2"),
                  ErrorKind::invalid_argument, "position 10 is never closed");
}

TEST(WhereParser, LengthLimit) {
  Parsed p;
  std::u16string where(32768, u'x');
  EXPECT_WT_ERROR(Parse(p, where), ErrorKind::overflow, "32768");
  EXPECT_EQ(p.tree.Nodes().Count(), 1);
  EXPECT_EQ(p.rest.size(), 32768u);
  EXPECT_EQ(ParseRows(std::u16string(32767, u'x')).size(), 1u);
}

// " And " at position 9999 or later of the text still to parse is no separator when that text
// holds no "(".
TEST(WhereParser, SeparatorSearchLimit) {
  const std::u16string head(9998 - 1, u'a');  // " And " starts at position 9998
  auto rows = ParseRows(head + u" And b = 1");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1], "LP_3 LP_1 4 [b = 1]");

  const std::u16string longer(9998, u'a');  // " And " starts at position 9999
  rows = ParseRows(longer + u" And b = 1");
  ASSERT_EQ(rows.size(), 1u);

  // The limit is relative to the rest of the text: after a first member it applies again.
  rows = ParseRows(u"c = 2 And " + longer + u" And b = 1");
  ASSERT_EQ(rows.size(), 2u);

  // A "(" anywhere makes every earlier separator count.
  rows = ParseRows(longer + u" And b = (1)");
  ASSERT_EQ(rows.size(), 2u);
}

// A group's closing bracket is found only below position 17777 of the text being searched.
TEST(WhereParser, ClosingBracketSearchLimit) {
  const std::u16string inner(17775 - 2, u'a');  // "(" + inner + ")" puts ")" at 17775
  EXPECT_EQ(ParseRows(u"(" + inner + u"b)").size(), 2u);
  Parsed p;
  EXPECT_WT_ERROR(Parse(p, u"(" + inner + u"bc)"), ErrorKind::invalid_argument,
                  "past the parser's search limit");
}

std::u16string Nested(int depth) {
  std::u16string where(static_cast<std::size_t>(depth), u'(');
  where += u'x';
  where.append(static_cast<std::size_t>(depth), u')');
  return where;
}

// The deepest nesting the limits allow (the outermost group must close before position 17777),
// and the deepest the length allows (which fails cleanly), parsed on a thread with a 1 MiB stack.
TEST(WhereParser, DeepNestingOnSmallStack) {
  const int depth = 8887;  // closes at 2 * 8887 + 1 = 17775
  std::size_t count = 0;
  testing::RunWithStack(1 << 20, [&] {
    Parsed p;
    Parse(p, Nested(depth));
    count = static_cast<std::size_t>(p.tree.Nodes().Count());
    Parsed deepest;
    EXPECT_WT_ERROR(Parse(deepest, Nested(16383)), ErrorKind::invalid_argument, "search limit");
  });
  EXPECT_EQ(count, static_cast<std::size_t>(depth) + 2);
}

}  // namespace
}  // namespace wheretree
