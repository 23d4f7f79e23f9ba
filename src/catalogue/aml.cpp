#include "catalogue/aml.h"

#include <cstddef>
#include <vector>

#include "common/error.h"
#include "common/text.h"

namespace wheretree {

std::u16string CreateAmlTag(std::u16string_view tag, std::u16string_view value, bool closed) {
  std::u16string out;
  out.reserve(value.size() + (tag.size() + 2) * (closed ? 2 : 1));
  out.append(u"<").append(tag).append(u">").append(value);
  if (closed) out.append(u"<").append(tag).append(u">");
  return out;
}

std::vector<std::u16string_view> SplitAmlTagViews(std::u16string_view tag, std::u16string_view text,
                                                  std::int32_t limit) {
  if (text.empty()) text = u" ";
  if (limit < -1) {
    throw Error::InvalidArgument("the most pieces of a split is " + std::to_string(limit) +
                                 "; it must be -1 (no limit) or at least 0");
  }
  std::vector<std::u16string_view> result;
  if (limit == 0) return result;
  result.reserve(4);  // the text before the tags and a value or two, the common case

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
      if (used == 0) result.push_back(text.substr(0, found));
    } else {
      result.push_back(text.substr(start, found - start));
    }
    if (++used > kMaxInt16) CheckInt16(used, "the number of " + shown() + " tags in the text");
    start = found + delimiter.size();
  }
  if (used == 0) {
    result.push_back(text);
    return result;
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
  return result;
}

StringArray SplitAmlTag(std::u16string_view tag, std::u16string& text, std::int32_t limit) {
  if (text.empty()) text = u" ";
  const std::vector<std::u16string_view> views = SplitAmlTagViews(tag, text, limit);
  std::vector<std::u16string> pieces(views.begin(), views.end());
  return StringArray(std::move(pieces));
}

}  // namespace wheretree
