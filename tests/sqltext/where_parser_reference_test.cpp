// The parser scans its text once by index. This test checks it against a plain reading of the
// parsing rules that works on a shrinking copy of the text, re-searching from the start each time,
// on many random texts: both must build the same tree and fail the same way.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/text.h"
#include "control/condition_tree.h"
#include "sqltext/where_parser.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

using S = std::u16string;

int InStr(const S& text, const S& part, int start = 1) {
  const auto p = FindIgnoreCase(text, part, static_cast<std::size_t>(start - 1));
  return p == S::npos ? 0 : static_cast<int>(p) + 1;
}
S Mid(const S& text, int from) {
  return from - 1 >= static_cast<int>(text.size()) ? S()
                                                   : text.substr(static_cast<size_t>(from - 1));
}
S Left(const S& text, int n) {
  return text.substr(0, static_cast<size_t>(std::max(0, n)));
}

int FindFirstSeparator(const S& text, int& kind, int& next) {
  int result = 9999;
  kind = 0;
  if (int p = InStr(text, u"("); p > 0) result = p, next = p + 1, kind = 1;
  if (int p = InStr(text, u" And "); p > 0 && p < result) result = p, next = p + 5, kind = 4;
  if (int p = InStr(text, u" Or "); p > 0 && p < result) result = p, next = p + 4, kind = 5;
  return result;
}
int SeparatorLen(int kind) {
  return kind == 1 ? 1 : kind == 4 ? 5 : kind == 5 ? 4 : 0;
}
int FindClosingBracket(const S& text) {
  if (text.empty()) return 0;
  int depth = 0, pos = 0;
  do {
    int best = 17777, index = -1;
    for (int i = 0; i < 2; ++i) {
      const int p = InStr(text, i == 0 ? u"(" : u")", pos + 1);
      if (p != 0 && p < best) best = p, index = i;
    }
    if (best == 17777) return 0;
    pos = best;
    depth += index == 0 ? 1 : -1;
  } while (depth > 0);
  return pos;
}
int Count(const S& text, char16_t c) {
  return static_cast<int>(std::count(text.begin(), text.end(), c));
}
int BracketGroupsLength(const S& text) {
  S taken, s = text;
  int kind = 0, scratch = 0;
  do {
    const int p = FindClosingBracket(s);
    if (p == 0) return static_cast<int>(text.size());  // the parser's choice for unclosed groups
    taken += Left(s, p);
    s = Mid(s, p + 1);
    FindFirstSeparator(s, kind, scratch);
  } while (kind == 1 && !s.empty());
  return static_cast<int>(taken.size());
}
int FindSeparatorOutsideBrackets(const S& text, int& kind) {
  int offset = 0, next = 0;
  S rest = text;
  while (true) {
    const int pos = FindFirstSeparator(rest, kind, next);
    if (kind == 1) {
      const int n = BracketGroupsLength(rest);
      offset += n;
      rest = Mid(rest, n + 1);
    } else if (kind == 4 || kind == 5) {
      const S head = Left(rest, pos);
      if (Count(head, u'(') == Count(head, u')')) return offset + pos + SeparatorLen(kind);
      offset += next - 1;
      rest = Mid(rest, next);
    } else {
      return offset + static_cast<int>(rest.size()) + 1;
    }
  }
}

void Reference(S where, const NodeRef& parent, TreeNodes& nodes) {
  int pending = 1, kind = 0, next = 0;
  auto add = [&](const S& text, std::optional<std::int16_t> image) {
    return nodes.AddChild(parent, LevelKey(nodes.Count() + 1), text, image);
  };
  while (!where.empty()) {
    const int pos = FindFirstSeparator(where, kind, next);
    if (kind == 0) {
      add(where, pending == 1 ? std::nullopt : std::optional<std::int16_t>(pending));
      return;
    }
    S text;
    bool level = kind == 1 && pos == 1;
    if (level) {
      // The parser's choice: a group followed by other text than a separator is condition text.
      const int close = FindClosingBracket(where);
      if (close == 0) throw Error::InvalidArgument("unclosed");
      const S after = Mid(where, close + 1);
      int k2 = 0, n2 = 0;
      if (!after.empty() && (FindFirstSeparator(after, k2, n2) != 1 || k2 == 1)) level = false;
    }
    if (!level && pos == 1 && kind != 1) {
      text = S();
    } else if (!level && kind != 1) {
      text = Left(where, pos - 1);
    } else if (!level) {
      const int r = FindSeparatorOutsideBrackets(where, kind);
      next = r;
      text = S(TrimSpaces(Left(where, r - SeparatorLen(kind))));
    }
    if (level) {
      pending = pending > 2 ? pending - 2 : 1;
      auto node = add(u"", static_cast<std::int16_t>(pending));
      node->Tag(TagValue(u"-1"));
      const int close = FindClosingBracket(where);
      Reference(where.substr(1, static_cast<size_t>(close - 2)), node, nodes);
      where = Mid(where, close + 1);
      FindFirstSeparator(where, pending, next);
      where = Mid(where, next);
    } else {
      add(text, parent->Child() ? std::optional<std::int16_t>(pending) : std::nullopt);
      where = Mid(where, next);
      pending = kind;
    }
  }
}

std::string Describe(std::u16string where, bool reference) {
  TreeView tree;
  auto root = tree.Nodes().Add(u"LP_1", u"", 6);
  std::string out;
  try {
    if (reference) {
      Reference(where, root, tree.Nodes());
    } else {
      ParseWhereToTree(where, root, tree.Nodes());
    }
  } catch (const Error& e) {
    out = "error " + std::string(KindName(e.Kind())) + "; ";
  }
  for (const auto& n : tree.Nodes().All()) {
    const auto image = n->Image();
    out += Utf8(n->Key()) + (n->Parent() ? Utf8(n->Parent()->Key()) : "") + ":" +
           (image ? std::to_string(*image) : "-") + "[" + Utf8(n->Text()) + "] ";
  }
  return out;
}

TEST(WhereParserReference, RandomTextsGiveTheSameTree) {
  const std::vector<S> tokens = {u"a", u"b = 1", u" And ", u" Or ", u" and ", u" OR ",  u"(",
                                 u")", u"'",     u" ",     u"f(x)", u"x",     u" AND(", u") "};
  std::mt19937 rng(20261205);
  for (int round = 0; round < 20000; ++round) {
    S where;
    const int length = static_cast<int>(rng() % 12) + 1;
    for (int i = 0; i < length; ++i) where += tokens[rng() % tokens.size()];
    where = S(TrimSpaces(where));
    SCOPED_TRACE(testing::Show(where));
    ASSERT_EQ(Describe(where, false), Describe(where, true));
  }
}

}  // namespace
}  // namespace wheretree
