#include "control/where_writer.h"

#include <vector>

#include "common/text.h"
#include "control/condition_tree.h"

namespace wheretree {
namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

std::u16string_view Connective(const TreeNode& node) {
  const auto image = node.Image();
  if (!image) return u"";
  switch (*image) {
    case 2:
    case 4:
      return u" And ";
    case 3:
    case 5:
      return u" Or ";
    default:
      return u"";
  }
}

}  // namespace

std::u16string ConnectiveOfImage(std::u16string_view imageText) {
  if (imageText == u"2" || imageText == u"4") return u" And ";
  if (imageText == u"3" || imageText == u"5") return u" Or ";
  return u"";
}

std::u16string ImageText(const TreeNode& node) {
  const auto image = node.Image();
  return image ? DecimalText(*image) : std::u16string();
}

std::u16string WriteLevel(const NodeRef& node, std::int32_t brackets, std::int32_t sdvig) {
  if (!node) throw Error::NoObject("no tree node was given to write");
  // The members of one level being written: the next one, how many are left, and the indent that
  // starts their lines (only the members of `node` have one).
  struct Frame {
    const TreeNode* member;
    std::int32_t remaining;
    bool first;
    std::u16string_view indent;
  };
  const std::u16string indent(static_cast<std::size_t>(sdvig > 0 ? sdvig : 0), u' ');
  std::u16string out;
  std::vector<Frame> stack;
  stack.push_back({node->ChildNode(), node->Children(), true, indent});
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.remaining <= 0 || !f.member) {
      stack.pop_back();
      // A nested list is always closed by the bracket its opener wrote.
      if (!stack.empty()) out += u')';
      continue;
    }
    const TreeNode* const c = f.member;
    if (!f.first) out += Connective(*c);
    out += kLineBreak;
    out += f.indent;
    f.first = false;
    f.member = c->NextNode();
    --f.remaining;
    const std::int32_t children = c->Children();
    if (IsLevelNode(*c)) {
      // A nested level: "(" + its members + ")", nothing at all when it is empty.
      if (children > 0) {
        out += u'(';
        stack.push_back({c->ChildNode(), children, true, u""});
      }
    } else if (children > 0) {
      // A condition with children: "(" + text + the first child's connective + children + ")".
      out += u'(';
      out += c->Text();
      const TreeNode* const child = c->ChildNode();
      out += Connective(*child);
      stack.push_back({child, children, true, u""});
    } else {
      out += c->Text();
    }
  }
  if (!out.empty() && brackets != 0) out = u"(" + out + u")";
  return out;
}

}  // namespace wheretree
