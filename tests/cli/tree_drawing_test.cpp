#include "cli/tree_drawing.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_support.h"

namespace wheretree::cli {
namespace {

// WHERE: a = 1 (image 4 but first), And (b = 2 Or c = 3), Or "d\r= 4", e = 5 with image 7.
class DrawnTree : public ::testing::Test {
 protected:
  DrawnTree() {
    TreeNodes& nodes = tree_.Nodes();
    const NodeRef root = nodes.Add(u"LP_1", u"", 6);
    root->Tag(std::int16_t{-1});
    nodes.AddChild(root, u"LP_2", u"a = 1", 4);
    const NodeRef level = nodes.AddChild(root, u"LP_3", u"", 2);
    level->Tag(u"-1");
    nodes.AddChild(level, u"LP_4", u"b = 2");
    nodes.AddChild(level, u"LP_5", u"c = 3", 5);
    nodes.AddChild(root, u"LP_6", u"d\r= 4", 5);
    nodes.AddChild(root, u"LP_7", u"e = 5", 7);
  }
  TreeView tree_;
};

TEST_F(DrawnTree, AsciiAndUnicodeShowEveryNodeWithItsConnective) {
  EXPECT_EQ(DrawTree(tree_, TreeStyle::ascii),
            "WHERE\n"
            "|-- a = 1\n"
            "|-- And (...)\n"
            "|   |-- b = 2\n"
            "|   `-- Or c = 3\n"
            "|-- Or d\\r= 4\n"
            "`-- e = 5\n");
  EXPECT_EQ(DrawTree(tree_, TreeStyle::unicode),
            "WHERE\n"
            "\u251C\u2500\u2500 a = 1\n"
            "\u251C\u2500\u2500 And (...)\n"
            "\u2502   \u251C\u2500\u2500 b = 2\n"
            "\u2502   \u2514\u2500\u2500 Or c = 3\n"
            "\u251C\u2500\u2500 Or d\\r= 4\n"
            "\u2514\u2500\u2500 e = 5\n");
}

TEST(CliTreeDrawing, DeepNestingStopsIndentingAndSaysTheDepth) {
  TreeView tree;
  NodeRef parent = tree.Nodes().Add(u"LP_1", u"", 6);
  parent->Tag(std::int16_t{-1});
  const int depth = kMaxDrawnDepth + 6;
  for (int d = 1; d <= depth; ++d) {
    parent = tree.Nodes().AddChild(parent, u"LP_" + DecimalText(d + 1), u"", 1);
    parent->Tag(u"-1");
  }
  tree.Nodes().AddChild(parent, u"LP_x", u"z = 1");
  std::istringstream lines(DrawTree(tree, TreeStyle::ascii));
  std::string line, last;
  int count = 0;
  std::size_t widest = 0;
  while (std::getline(lines, line)) {
    ++count;
    widest = std::max(widest, line.size());
    last = line;
  }
  EXPECT_EQ(count, depth + 2);  // root, the levels, the condition
  EXPECT_EQ(last, std::string(4 * (kMaxDrawnDepth - 1), ' ') + "`-- [depth " +
                      std::to_string(depth + 1) + "] z = 1");
  EXPECT_EQ(widest, last.size());
}

TEST(CliTreeDrawing, TerminalTextShowsControlCharacters) {
  EXPECT_EQ(TerminalText(u"a\tb"), "a\tb");
  EXPECT_EQ(TerminalText(u"a\r\nb"), "a\\r\\nb");
  EXPECT_EQ(TerminalText(u"\x1b[31m\x7f"), "\\x1b[31m\\x7f");
  EXPECT_EQ(TerminalText(u"\u0416"), "\xD0\x96");
}

TEST(CliTreeDrawing, AutoStyleNeedsATerminalAndAUtf8Locale) {
  struct Case {
    bool terminal;
    const char* lc_all;
    const char* lc_ctype;
    const char* lang;
    TreeStyle style;
  };
  const Case cases[] = {
      {true, nullptr, nullptr, "en_US.UTF-8", TreeStyle::unicode},
      {true, nullptr, nullptr, "de_DE.utf8", TreeStyle::unicode},
      {false, nullptr, nullptr, "en_US.UTF-8", TreeStyle::ascii},
      {true, "C", nullptr, "en_US.UTF-8", TreeStyle::ascii},  // LC_ALL wins
      {true, "", "C.UTF-8", "C", TreeStyle::unicode},         // an empty value is not set
      {true, nullptr, nullptr, nullptr, TreeStyle::ascii},
      {true, nullptr, nullptr, "ru_RU.KOI8-R", TreeStyle::ascii},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lang ? c.lang : "(unset)") + (c.terminal ? " tty" : " pipe"));
    EXPECT_EQ(AutoTreeStyle(c.terminal, c.lc_all, c.lc_ctype, c.lang), c.style);
  }
}

}  // namespace
}  // namespace wheretree::cli
