#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/string_array.h"

namespace wheretree {

// AML text: each value stands between two copies of the same tag, "<" + word + ">". The table list
// uses the words T, AA and PP; the connection list JOIN, FROM, TO, TYPEJOIN and TYPECOND.

/// Separates table, alias and field inside a FROM or TO value of the connection list.
inline constexpr char16_t kAmlFieldSeparator = u'\u040F';

/// "<tag>" + value, followed by "<tag>" again when `closed`.
///   CreateAmlTag(u"AA", u"E", true) -> u"<AA>E<AA>"
///   CreateAmlTag(u"AA", u"E", false) -> u"<AA>E"
std::u16string CreateAmlTag(std::u16string_view tag, std::u16string_view value, bool closed);

/// Splits `text` at "<tag>" (letter case ignored) into the text before the first tag, followed by
/// the values enclosed by tag pairs in text order; the text between a closing tag and the next
/// opening tag is dropped. An empty `text` is first set to u" " in the caller's variable, so it
/// gives one piece. `limit` is the most pieces the split may make before pairing (the last one
/// keeps the rest of the text), -1 for no limit; 0 gives an empty list.
///   SplitAmlTag(u"T", x = u"a<T>b<T>c<t>d<t>", -1) -> {u"a", u"b", u"d"}
///   SplitAmlTag(u"T", x = u"plain", -1) -> {u"plain"}
/// Errors: overflow when the tag occurs more than 32767 times; out_of_range when it occurs an odd
/// number of times (the last value is not closed); invalid_argument for a limit below -1.
StringArray SplitAmlTag(std::u16string_view tag, std::u16string& text, std::int32_t limit);

/// The same split as views of `text` (of the text u" " when `text` is empty), without copies.
std::vector<std::u16string_view> SplitAmlTagViews(std::u16string_view tag, std::u16string_view text,
                                                  std::int32_t limit);

}  // namespace wheretree
