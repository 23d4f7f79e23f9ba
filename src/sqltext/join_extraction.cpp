#include "sqltext/join_extraction.h"

#include <vector>

#include "control/condition_tree.h"
#include "sqltext/condition_text.h"
#include "sqltext/text_utils.h"

namespace wheretree {
namespace {

constexpr std::int32_t kJoinDialect = 1;  // operands are unquoted with double quotes

bool HasImage(const TreeNode& node, std::int16_t a, std::int16_t b) {
  const auto image = node.Image();
  return image && (*image == a || *image == b);
}

// One condition of an And level: becomes a connection when both operands are fields of
// declared tables.
void ExamineCandidate(TreeNode& child, const StringArray& operators, tables& catalogue,
                      c_connects& connections) {
  const std::u16string& text = child.Text();
  if (text.empty()) return;  // only malformed input makes one; it stays in the tree
  StringArray found;
  const StringArray pieces = SplitBySeparators(text, operators, found);
  // Exactly one operator with text after it: "left op right".
  if (pieces.UBound() != 1) return;
  std::u16string left = pieces.At(0);
  std::u16string right = pieces.At(1);
  std::int32_t TypeC = 0;
  // The left sign is cut first, so a sign on both sides gives 1.
  if (CutOuterJoinSign(left)) TypeC = 2;
  if (CutOuterJoinSign(right)) TypeC = 1;
  const std::int32_t cond = ConditionCode(found.At(0));
  std::u16string AliFr, tblFr, PlFr, AliTo, tblTo, PlTo;
  SplitFieldReference(left, AliFr, tblFr, PlFr, kJoinDialect);
  SplitFieldReference(right, AliTo, tblTo, PlTo, kJoinDialect);
  if (!catalogue.FindJoinsAliasPole(tblFr, AliFr, PlFr)) return;
  if (!catalogue.FindJoinsAliasPole(tblTo, AliTo, PlTo)) return;
  if (AliFr.empty()) AliFr = tblFr;
  if (AliTo.empty()) AliTo = tblTo;
  connections.addNEW(kJoinDialect, false, AliFr, tblFr, false, PlFr, AliTo, tblTo, false, PlTo,
                     TypeC, cond, u"");
  child.Tag(TagValue(JoinedTag));
}

}  // namespace

bool IsAndLevel(const TreeNode& node) {
  NodeRef child = node.Child();
  for (std::int32_t i = node.Children(); i > 0 && child; --i, child = child->Next()) {
    if (HasImage(*child, 3, 5)) return false;
  }
  return true;
}

std::u16string ExtractJoins(const NodeRef& node, tables& catalogue, c_connects& connections) {
  if (!node) throw Error::NoObject("no tree node was given to extract joins from");
  const StringArray operators = SplitAtCommas(u"=,<>,>=,<=,>,<");
  // The levels being walked: the next child to visit, how many are left, and whether the
  // level's members are joined by And only.
  struct Frame {
    NodeRef child;
    std::int32_t remaining;
    bool and_level;
  };
  std::vector<Frame> stack;
  stack.push_back({node->Child(), node->Children(), IsAndLevel(*node)});
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.remaining <= 0 || !f.child) {
      stack.pop_back();
      continue;
    }
    const NodeRef child = f.child;
    f.child = child->Next();
    --f.remaining;
    if (HasImage(*child, 1, 2)) {
      // A level that begins its parent or is joined by And: its joins come here, depth first.
      stack.push_back({child->Child(), child->Children(), IsAndLevel(*child)});
    } else if (f.and_level) {
      ExamineCandidate(*child, operators, catalogue, connections);
    }
  }
  return u"";
}

}  // namespace wheretree
