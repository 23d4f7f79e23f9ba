#include "cli/tree_drawing.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace wheretree::cli {
namespace {

struct Branches {
  std::string_view tee;     // a child with siblings after it
  std::string_view corner;  // the last child
  std::string_view pipe;    // the column of an ancestor with siblings after it
  std::string_view blank;   // the column of an ancestor that was the last child
};

constexpr Branches kAscii{"|-- ", "`-- ", "|   ", "    "};
constexpr Branches kUnicode{"\u251C\u2500\u2500 ", "\u2514\u2500\u2500 ", "\u2502   ", "    "};

bool NamesUtf8(std::string_view locale) {
  std::string folded;
  for (const char c : locale) {
    if (c != '-') folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded.find("utf8") != std::string::npos;
}

std::string_view Connective(const TreeNode& node) {
  if (!node.Previous()) return {};  // the first member of a level is written without one
  const std::optional<std::int16_t> image = node.Image();
  if (!image) return {};
  switch (*image) {
    case 2:
    case 4:
      return "And ";
    case 3:
    case 5:
      return "Or ";
    default:
      return {};
  }
}

}  // namespace

std::string TerminalText(std::u16string_view text) {
  std::string out;
  for (const char c : ToUtf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out;
}

TreeStyle AutoTreeStyle(bool stdout_is_terminal, const char* lc_all, const char* lc_ctype,
                        const char* lang) {
  if (!stdout_is_terminal) return TreeStyle::ascii;
  for (const char* value : {lc_all, lc_ctype, lang}) {
    if (value != nullptr && *value != '\0') {
      return NamesUtf8(value) ? TreeStyle::unicode : TreeStyle::ascii;
    }
  }
  return TreeStyle::ascii;
}

std::string NodeLabel(const TreeNode& node) {
  if (!node.Parent()) return "WHERE";
  std::string label(Connective(node));
  if (node.Tag().Equals(-1)) return label + "(...)";
  return label + TerminalText(node.Text());
}

std::string DrawTree(const TreeView& tree, TreeStyle style) {
  const Branches& b = style == TreeStyle::unicode ? kUnicode : kAscii;
  std::string out;
  for (const NodeRef& root : tree.Nodes().All()) {
    if (root->Parent()) continue;
    out += NodeLabel(*root) + "\n";
    // Depth-first with an explicit stack; last_child[d] tells whether the node drawn at depth
    // d + 1 was the last of its level, which decides the columns of the lines below it.
    struct Pending {
      NodeRef node;
      std::size_t depth;
    };
    std::vector<Pending> stack;
    std::vector<bool> last_child;
    const auto push_children = [&stack](const NodeRef& parent, std::size_t depth) {
      const std::size_t first = stack.size();
      for (NodeRef c = parent->Child(); c; c = c->Next()) stack.push_back({c, depth});
      std::reverse(stack.begin() + static_cast<std::ptrdiff_t>(first), stack.end());
    };
    push_children(root, 1);
    while (!stack.empty()) {
      const Pending item = stack.back();
      stack.pop_back();
      last_child.resize(item.depth);
      last_child[item.depth - 1] = !item.node->Next();
      const std::size_t drawn = std::min<std::size_t>(item.depth, kMaxDrawnDepth);
      for (std::size_t d = 0; d + 1 < drawn; ++d) out += last_child[d] ? b.blank : b.pipe;
      out += last_child[item.depth - 1] ? b.corner : b.tee;
      if (item.depth > drawn) out += "[depth " + std::to_string(item.depth) + "] ";
      out += NodeLabel(*item.node) + "\n";
      push_children(item.node, item.depth + 1);
    }
  }
  return out;
}

}  // namespace wheretree::cli
