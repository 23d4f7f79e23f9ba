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
  std::vector<std::u16string_view> result;
  VisitAmlTagPieces(tag, text, limit, [&](std::u16string_view piece) {
    if (result.empty()) result.reserve(4);  // the text before the tags and a value or two
    result.push_back(piece);
  });
  return result;
}

StringArray SplitAmlTag(std::u16string_view tag, std::u16string& text, std::int32_t limit) {
  if (text.empty()) text = u" ";
  const std::vector<std::u16string_view> views = SplitAmlTagViews(tag, text, limit);
  std::vector<std::u16string> pieces(views.begin(), views.end());
  return StringArray(std::move(pieces));
}

}  // namespace wheretree
