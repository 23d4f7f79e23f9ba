#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/error.h"
#include "common/string_array.h"
#include "common/text.h"

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

/// The same split handing each piece to `use` in order instead of listing them; it fails as
/// SplitAmlTag does, after handing over the pieces before the failure.
///   VisitAmlTagPieces(u"AA", u"EMP<AA>E<AA>", -1, f) -> f(u"EMP"), f(u"E")
template <typename Use>
void VisitAmlTagPieces(std::u16string_view tag, std::u16string_view text, std::int32_t limit,
                       Use&& use) {
  if (text.empty()) text = u" ";
  if (limit < -1) {
    throw Error::InvalidArgument("the most pieces of a split is " + std::to_string(limit) +
                                 "; it must be -1 (no limit) or at least 0");
  }
  if (limit == 0) return;
  std::u16string delimiter;
  delimiter.append(u"<").append(tag).append(u">");
  const auto shown = [&] { return ToUtf8(delimiter); };

  // "a<T>b<T>c<T>d<T>": p(0) = a is kept, then p(1) = b and p(3) = d (the enclosed values); the
  // pieces between a closing and the next opening tag, like p(2) = c, are skipped.
  std::int64_t used = 0;  // delimiters used so far
  std::size_t start = 0;
  while (limit == -1 || used + 1 < limit) {
    const std::size_t found = FindIgnoreCase(text, delimiter, start);
    if (found == std::u16string_view::npos) break;
    if (used % 2 == 0) {
      // Before an opening tag: p(0) is kept; later pieces here lie between two pairs.
      if (used == 0) use(text.substr(0, found));
    } else {
      use(text.substr(start, found - start));
    }
    if (++used > kMaxInt16) CheckInt16(used, "the number of " + shown() + " tags in the text");
    start = found + delimiter.size();
  }
  if (used == 0) {
    use(text);
    return;
  }
  if (used % 2 == 1) {
    // Chosen behaviour for an unclosed value: rather than guess where it ends (or drop it), the
    // split fails and says which tag is left open. Callers only read values closed by a pair.
    const bool cut = FindIgnoreCase(text, delimiter, start) != std::u16string_view::npos;
    throw Error::OutOfRange(
        "the tag " + shown() + " occurs " + std::to_string(used) + " times" +
        (cut ? " within the limit of " + std::to_string(limit) + " pieces" : "") +
        ", an odd number, so the value after its last occurrence is not closed");
  }
}

}  // namespace wheretree
