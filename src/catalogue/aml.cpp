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

StringArray SplitAmlTag(std::u16string_view tag, std::u16string& text, std::int32_t limit) {
  if (text.empty()) text = u" ";
  if (limit < -1) {
    throw Error::InvalidArgument("the most pieces of a split is " + std::to_string(limit) +
                                 "; it must be -1 (no limit) or at least 0");
  }
  if (limit == 0) return StringArray(std::vector<std::u16string>{});

  std::u16string delimiter;
  delimiter.append(u"<").append(tag).append(u">");
  const std::string shown = ToUtf8(delimiter);

  // "a<T>b<T>c<T>d<T>": p(0) = a is kept, then p(1) = b and p(3) = d (the enclosed values); the
  // pieces between a closing and the next opening tag, like p(2) = c, are skipped without copying.
  std::vector<std::u16string> result;
  std::int64_t used = 0;  // delimiters used so far
  std::size_t start = 0;
  const std::u16string_view whole(text);
  while (limit == -1 || used + 1 < limit) {
    const std::size_t found = FindIgnoreCase(whole, delimiter, start);
    if (found == std::u16string_view::npos) break;
    if (used % 2 == 0) {
      // Before an opening tag: p(0) is kept; later pieces here lie between two pairs.
      if (used == 0) result.emplace_back(whole.substr(0, found));
    } else {
      result.emplace_back(whole.substr(start, found - start));
    }
    if (++used > kMaxInt16) CheckInt16(used, "the number of " + shown + " tags in the text");
    start = found + delimiter.size();
  }
  if (used == 0) return StringArray(std::vector<std::u16string>{text});
  if (used % 2 == 1) {
    // Chosen behaviour for an unclosed value: rather than guess where it ends (or drop it), the
    // split fails and says which tag is left open. Callers only read values closed by a pair.
    const bool cut = FindIgnoreCase(whole, delimiter, start) != std::u16string_view::npos;
    throw Error::OutOfRange(
        "the tag " + shown + " occurs " + std::to_string(used) + " times" +
        (cut ? " within the limit of " + std::to_string(limit) + " pieces" : "") +
        ", an odd number, so the value after its last occurrence is not closed");
  }
  return StringArray(std::move(result));
}

}  // namespace wheretree
