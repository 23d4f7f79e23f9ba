#include "sqltext/where_parser.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "common/text.h"
#include "control/condition_tree.h"
#include "sqltext/where_scanner.h"

namespace wheretree {
namespace {

// One member list being parsed: the root's, or the inside of a bracket group.
//
//   text:   a = 1 And (b = 2 Or c = 3) Or d = 4
//   frame:  [-------------- root -------------]
//   frame:             [--- level ---]
struct Frame {
  TreeNode* parent;
  std::int32_t cur;  // start of the member list still to parse
  std::int32_t end;
  SeparatorKind pending;  // the separator in front of the next member (open_bracket: first)
};

class Parser {
 public:
  Parser(std::u16string_view text, TreeNodes& nodes) : scan_(text), text_(text), nodes_(nodes) {}

  // Parses the members of `parent`; `top_position` follows the member being parsed at the top
  // level, for what the caller's text keeps when parsing fails.
  void Run(TreeNode& parent, std::int32_t& top_position) {
    std::vector<Frame> stack;
    stack.push_back(
        {&parent, 0, static_cast<std::int32_t>(text_.size()), SeparatorKind::open_bracket});
    while (!stack.empty()) {
      if (stack.size() == 1) top_position = stack.back().cur;
      Frame& f = stack.back();
      if (f.cur >= f.end) {
        stack.pop_back();
        continue;
      }
      if (auto inner = Step(f)) stack.push_back(*inner);
    }
  }

 private:
  // Parses one member of `f` and moves `f` past it. Returns the frame of a bracket group to parse
  // before the members that follow it.
  std::optional<Frame> Step(Frame& f) {
    const WhereScanner::Separator first = scan_.FindFirstSeparator(f.cur, f.end);
    if (first.kind == SeparatorKind::none) {
      // The last member of the list: the rest, unchanged.
      AddCondition(*f.parent, Slice(f.cur, f.end),
                   f.pending == SeparatorKind::open_bracket ? NoImage() : Image(f.pending));
      f.cur = f.end;
      return std::nullopt;
    }
    if (first.pos == 1 && first.kind == SeparatorKind::open_bracket) {
      if (auto inner = Level(f)) return inner;
      return TextMember(f);  // the group does not end the member: it is condition text
    }
    if (first.kind != SeparatorKind::open_bracket) {
      // Position 1 gives a member without text, as in "( Or a = 1)".
      AddMemberCondition(f, Slice(f.cur, f.cur + first.pos - 1), first.kind,
                         f.cur + first.next - 1);
      return std::nullopt;
    }
    return TextMember(f);
  }

  // A member that begins with other text and holds a bracket before any separator: it ends at
  // the first separator outside its bracket groups.
  std::optional<Frame> TextMember(Frame& f) {
    const WhereScanner::MemberEnd m = scan_.FindSeparatorOutsideBrackets(f.cur, f.end);
    // The member's text runs to the separator's first character (a space the trim removes).
    const std::int32_t text_end = std::min(f.end, m.after - SeparatorLength(m.kind) + 1);
    AddMemberCondition(f, std::u16string(TrimSpaces(View(f.cur, text_end))), m.kind, m.after);
    return std::nullopt;
  }

  // A member that is a bracket group: a level node, whose inside is parsed next. Returns nothing
  // (and adds nothing) when text other than a separator follows the group.
  std::optional<Frame> Level(Frame& f) {
    const std::int32_t close = scan_.FindClosingBracket(f.cur, f.end);
    if (close == WhereScanner::kNotFound) {
      const std::string where = "the opening bracket at position " + std::to_string(f.cur + 1);
      if (scan_.ClosesPastHorizon(f.cur, f.end)) {
        throw Error::InvalidArgument(where + " is closed 17777 or more characters later, past " +
                                     "the parser's search limit for a closing bracket");
      }
      throw Error::InvalidArgument(where + " is never closed");
    }
    const std::int32_t after = close + 1;
    SeparatorKind next_kind = SeparatorKind::none;
    std::int32_t next_cur = f.end;
    if (after < f.end) {
      const WhereScanner::Separator sep = scan_.FindFirstSeparator(after, f.end);
      if (sep.pos != 1 || sep.kind == SeparatorKind::open_bracket) return std::nullopt;
      next_kind = sep.kind;
      next_cur = after + sep.next - 1;
    }
    const std::int32_t open = f.cur;
    const SeparatorKind pending = f.pending;
    const std::int16_t image =
        pending == SeparatorKind::and_ || pending == SeparatorKind::or_
            ? static_cast<std::int16_t>(static_cast<std::int16_t>(pending) - 2)
            : static_cast<std::int16_t>(TypeOfLogic::LevelBegin);
    TreeNode& level = nodes_.AddChildNode(*f.parent, NextKey(), u"", image);
    level.Tag(TagValue(u"-1"));
    f.cur = next_cur;
    f.pending = next_kind;
    return Frame{&level, open + 1, close, SeparatorKind::open_bracket};
  }

  void AddMemberCondition(Frame& f, std::u16string text, SeparatorKind kind, std::int32_t next) {
    AddCondition(*f.parent, std::move(text), f.parent->ChildNode() ? Image(f.pending) : NoImage());
    f.cur = next;
    f.pending = kind;
  }

  void AddCondition(TreeNode& parent, std::u16string text, std::optional<std::int16_t> image) {
    nodes_.AddChildNode(parent, NextKey(), std::move(text), image);
  }

  std::u16string NextKey() const {
    return LevelKey(CheckInt16(std::int64_t{nodes_.Count()} + 1, "the number of tree nodes"));
  }
  static std::optional<std::int16_t> NoImage() { return std::nullopt; }
  static std::optional<std::int16_t> Image(SeparatorKind kind) {
    return static_cast<std::int16_t>(kind);
  }
  std::u16string_view View(std::int32_t from, std::int32_t to) const {
    return text_.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  }
  std::u16string Slice(std::int32_t from, std::int32_t to) const {
    return std::u16string(View(from, to));
  }

  WhereScanner scan_;
  std::u16string_view text_;
  TreeNodes& nodes_;
};

}  // namespace

void ParseWhereToTree(std::u16string& where, const NodeRef& parent, TreeNodes& nodes) {
  if (where.empty()) return;
  if (!parent) throw Error::NoObject("no tree node was given to parse the WHERE text into");
  CheckInt16(static_cast<std::int64_t>(where.size()), "the length of the WHERE text");
  const std::u16string text = std::move(where);
  where.clear();  // a moved-from text is only valid, not necessarily empty
  std::int32_t top_position = 0;
  try {
    Parser(text, nodes).Run(*parent, top_position);
  } catch (...) {
    where = text.substr(static_cast<std::size_t>(top_position));
    throw;
  }
  where.clear();
}

}  // namespace wheretree
