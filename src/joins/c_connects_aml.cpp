// The AML connection list: writing the collection as one four-line block per connection and
// reading such blocks back. A block, with sep the field separator U+040F:
//
//   <JOIN><FROM>EMP sep E sep DEPTNO<FROM>\r\n
//   <TO>DEPT sep D sep DEPTNO<TO>\r\n
//   <TYPEJOIN>1<TYPEJOIN><TYPECOND> = <TYPECOND>\r\n
//   <JOIN>\r\n

#include <array>
#include <string>

#include "catalogue/aml.h"
#include "common/error.h"
#include "common/string_array.h"
#include "common/text.h"
#include "joins/c_connects.h"
#include "joins/connection_codes.h"
#include "sqltext/condition_text.h"

namespace wheretree {
namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

// Table, alias and field of one side of a connection.
using SideFields = std::array<std::u16string, 3>;

// A value quoted for an error message, cut short when long.
std::string Quoted(std::u16string_view value) {
  constexpr std::size_t kShown = 40;
  if (value.size() <= kShown) return "\"" + ToUtf8(value) + "\"";
  return "\"" + ToUtf8(value.substr(0, kShown)) + "...\"";
}

std::string BlockName(std::int32_t block) {
  return "JOIN block " + std::to_string(block);
}

// The first value enclosed by a pair of `tag`s in a JOIN block; out_of_range when the block
// holds no complete pair.
std::u16string EnclosedValue(std::u16string_view tag, std::u16string block,
                             std::int32_t block_number) {
  const StringArray values = SplitAmlTag(tag, block, -1);
  if (values.UBound() < 1) {
    throw Error::OutOfRange(BlockName(block_number) + " holds no value enclosed by two <" +
                            ToUtf8(tag) + "> tags");
  }
  return values.At(1);
}

// u"EMP\u040FE\u045FDEPTNO\u040Fx" -> {u"EMP", u"E", u"DEPTNO"}: the separator is found
// without regard to case, pieces after the third are ignored, empty pieces count.
SideFields SplitFields(std::u16string_view value, std::u16string_view tag,
                       std::int32_t block_number) {
  const char16_t separator = FoldUnit(kAmlFieldSeparator);
  SideFields fields;
  std::size_t piece = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < value.size() && piece < fields.size(); ++i) {
    if (FoldUnit(value[i]) != separator) continue;
    fields[piece++] = std::u16string(value.substr(start, i - start));
    start = i + 1;
  }
  if (piece < 2) {
    throw Error::OutOfRange("the " + ToUtf8(tag) + " value " + Quoted(value) + " of " +
                            BlockName(block_number) +
                            " needs table, alias and field separated by U+040F");
  }
  if (piece == 2) fields[2] = std::u16string(value.substr(start));
  return fields;
}

// The join type written in a block: a decimal whole number, spaces around it and a sign
// allowed (u" 1 " -> 1, u"+5" -> 5, u"-1" -> -1). The writer never produces anything else, so
// other text (an empty value, u"1.0", u"x") is refused with an invalid_argument error naming
// it rather than read as some code. Numbers too large for 64 bits read as the largest, which
// is not a join code either.
std::int64_t WholeNumber(std::u16string_view value, std::int32_t block_number) {
  const auto digits_and_sign = TrimSpaces(value);
  std::u16string_view digits = digits_and_sign;
  bool negative = false;
  if (!digits.empty() && (digits.front() == u'+' || digits.front() == u'-')) {
    negative = digits.front() == u'-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.find_first_not_of(u"0123456789") != std::u16string_view::npos) {
    throw Error::InvalidArgument("the TYPEJOIN value " + Quoted(value) + " of " +
                                 BlockName(block_number) + " is not a decimal whole number");
  }
  constexpr std::int64_t kSaturated = INT64_MAX / 10;
  std::int64_t number = 0;
  for (const char16_t digit : digits) {
    number = number >= kSaturated ? kSaturated : number * 10 + (digit - u'0');
  }
  return negative ? -number : number;
}

}  // namespace

std::u16string c_connects::CreateAmlString() const {
  CheckInt16(Count(), "the number of connections to write as AML");
  // Each block is appended in place: "<JOIN>" + lines + "<JOIN>", no piece built on its own.
  const auto tag = [](std::u16string& out, std::u16string_view name) {
    out.append(u"<").append(name).append(u">");
  };
  const auto side = [&](std::u16string& out, std::u16string_view name, const std::u16string& table,
                        const std::u16string& alias, const std::u16string& field) {
    tag(out, name);
    out.append(table).append(1, kAmlFieldSeparator).append(alias);
    out.append(1, kAmlFieldSeparator).append(field);
    tag(out, name);
  };
  const auto value = [&](std::u16string& out, std::u16string_view name, std::u16string_view text) {
    tag(out, name);
    out.append(text);
    tag(out, name);
  };
  std::u16string text;
  for (const auto& c : connections_) {
    tag(text, u"JOIN");
    side(text, u"FROM", c->t_from(), c->t_from_ali(), c->p_from());
    text.append(kLineBreak);
    side(text, u"TO", c->t_to(), c->t_to_ali(), c->p_to());
    text.append(kLineBreak);
    value(text, u"TYPEJOIN", DecimalText(c->tp_con()));
    value(text, u"TYPECOND", TypeCondText(c->con_con()));
    text.append(kLineBreak);
    tag(text, u"JOIN");
    text.append(kLineBreak);
  }
  return text;
}

void c_connects::LoadAmlString(std::u16string& InAmlString) {
  if (InAmlString.empty()) return;
  // Text outside the JOIN pairs (the line break after each block, anything before the first)
  // is skipped by the split.
  const StringArray blocks = SplitAmlTag(u"JOIN", InAmlString, -1);
  for (std::int32_t i = 1; i <= blocks.UBound(); ++i) {
    const std::u16string& block = blocks.At(i);
    const SideFields from = SplitFields(EnclosedValue(u"FROM", block, i), u"FROM", i);
    const SideFields to = SplitFields(EnclosedValue(u"TO", block, i), u"TO", i);
    const std::int32_t type_join =
        TypeJoinCode(WholeNumber(EnclosedValue(u"TYPEJOIN", block, i), i));
    const std::int32_t condition = ConditionCode(EnclosedValue(u"TYPECOND", block, i));
    addNEW(1, true, from[1], from[0], false, from[2], to[1], to[0], false, to[2], type_join,
           condition, u"");
  }
}

}  // namespace wheretree
