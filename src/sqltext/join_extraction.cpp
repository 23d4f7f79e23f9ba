#include "sqltext/join_extraction.h"

#include <vector>

#include "common/text.h"
#include "control/condition_tree.h"
#include "sqltext/condition_text.h"

namespace wheretree {
namespace {

constexpr std::int32_t kJoinDialect = 1;  // operands are unquoted with double quotes

bool HasImage(const TreeNode& node, std::int16_t a, std::int16_t b) {
  const auto image = node.Image();
  return image && (*image == a || *image == b);
}

// A condition split at its comparison operators ("=", "<>", ">=", "<=", ">", "<"): at each step
// the leftmost operator, a two-character one before its one-character prefix. Only a split into
// exactly two pieces can be a join: "left op right", or "left op right op" with nothing after the
// second operator. No operator character changes under case folding, so a plain scan finds what
// a case-blind search of the list would.
struct Comparison {
  std::u16string_view left;
  std::u16string_view right;
  std::u16string_view op;  // the first operator
};

std::size_t OperatorLength(std::u16string_view text, std::size_t at) {
  const char16_t next = at + 1 < text.size() ? text[at + 1] : u'\0';
  if (text[at] == u'<') return next == u'>' || next == u'=' ? 2 : 1;
  if (text[at] == u'>') return next == u'=' ? 2 : 1;
  return 1;
}

bool SplitComparison(std::u16string_view text, Comparison& out) {
  std::u16string_view pieces[2];
  std::size_t count = 0;
  std::size_t cursor = 0;
  while (cursor < text.size()) {
    std::size_t at = cursor;
    // "<", "=" and ">" are the highest of the three: anything above ">" is passed at once.
    while (at < text.size() &&
           (text[at] > u'>' || (text[at] != u'<' && text[at] != u'=' && text[at] != u'>'))) {
      ++at;
    }
    if (at == text.size()) break;
    if (count == 2) return false;  // a third piece
    const std::size_t length = OperatorLength(text, at);
    if (count == 0) out.op = text.substr(at, length);
    pieces[count++] = text.substr(cursor, at - cursor);
    cursor = at + length;
  }
  if (cursor < text.size()) {
    if (count == 2) return false;
    pieces[count++] = text.substr(cursor);
  }
  if (count != 2) return false;
  out.left = pieces[0];
  out.right = pieces[1];
  return true;
}

// One condition of an And level: becomes a connection when both operands are fields of
// declared tables.
void ExamineCandidate(TreeNode& child, tables& catalogue, c_connects& connections) {
  const std::u16string& text = child.Text();
  if (text.empty()) return;  // only malformed input makes one; it stays in the tree
  // Positions inside a condition are 16-bit numbers.
  CheckInt16(static_cast<std::int64_t>(text.size()), "the length of the text to split");
  Comparison c;
  if (!SplitComparison(text, c)) return;
  std::int32_t TypeC = 0;
  // The left sign is cut first, so a sign on both sides gives 1.
  if (CutOuterJoinSign(c.left)) TypeC = 2;
  if (CutOuterJoinSign(c.right)) TypeC = 1;
  const std::int32_t cond = ConditionCode(c.op);
  const FieldReferenceParts from(c.left, kJoinDialect);
  const FieldReferenceParts to(c.right, kJoinDialect);
  const table* from_table = catalogue.FindJoinsTable(from.Second(), from.First(), from.Field());
  if (from_table == nullptr) return;
  const table* to_table = catalogue.FindJoinsTable(to.Second(), to.First(), to.Field());
  if (to_table == nullptr) return;
  const std::u16string_view tblFr = from_table->TableName();
  const std::u16string_view tblTo = to_table->TableName();
  const std::u16string_view AliFr = from.First().empty() ? tblFr : from.First();
  const std::u16string_view AliTo = to.First().empty() ? tblTo : to.First();
  connections.addNEW(kJoinDialect, false, AliFr, tblFr, false, from.Field(), AliTo, tblTo, false,
                     to.Field(), TypeC, cond, u"");
  child.Tag(TagValue(JoinedTag));
}

}  // namespace

bool IsAndLevel(const TreeNode& node) {
  const TreeNode* child = node.ChildNode();
  for (std::int32_t i = node.Children(); i > 0 && child; --i, child = child->NextNode()) {
    if (HasImage(*child, 3, 5)) return false;
  }
  return true;
}

std::u16string ExtractJoins(const NodeRef& node, tables& catalogue, c_connects& connections) {
  if (!node) throw Error::NoObject("no tree node was given to extract joins from");
  // The levels being walked: the next child to visit, how many are left, and whether the
  // level's members are joined by And only.
  // The walk changes tags only, so it follows the links without taking references.
  struct Frame {
    TreeNode* child;
    std::int32_t remaining;
    bool and_level;
  };
  std::vector<Frame> stack;
  stack.push_back({node->ChildNode(), node->Children(), IsAndLevel(*node)});
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.remaining <= 0 || !f.child) {
      stack.pop_back();
      continue;
    }
    TreeNode* const child = f.child;
    f.child = child->NextNode();
    --f.remaining;
    if (HasImage(*child, 1, 2)) {
      // A level that begins its parent or is joined by And: its joins come here, depth first.
      stack.push_back({child->ChildNode(), child->Children(), IsAndLevel(*child)});
    } else if (f.and_level) {
      ExamineCandidate(*child, catalogue, connections);
    }
  }
  return u"";
}

}  // namespace wheretree
