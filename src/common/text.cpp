#include "common/text.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <array>
#include <charconv>
#include <iterator>
#include <memory>

#include "common/error.h"

namespace wheretree {
namespace {

// Folding of every BMP code unit, computed once, and for each folded unit whether some other
// unit folds to it too (so a search for it must compare folded units rather than find it).
struct BmpFolding {
  std::array<char16_t, 0x10000> fold;
  std::array<bool, 0x10000> shared;
};

const BmpFolding& Folding() {
  static const auto folding = [] {
    auto f = std::make_unique<BmpFolding>();
    f->shared.fill(false);
    for (std::uint32_t c = 0; c < 0x10000; ++c) {
      UChar32 folded = (c >= 0xD800 && c <= 0xDFFF)
                           ? static_cast<UChar32>(c)
                           : u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT);
      // Keep the length: a BMP character folding outside the BMP keeps its own code unit.
      f->fold[c] = folded <= 0xFFFF ? static_cast<char16_t>(folded) : static_cast<char16_t>(c);
      if (f->fold[c] != c) f->shared[f->fold[c]] = true;
    }
    return f;
  }();
  return *folding;
}

const std::array<char16_t, 0x10000>& BmpFoldTable() {
  return Folding().fold;
}

}  // namespace

std::int16_t CheckInt16(std::int64_t value, std::string_view what) {
  if (value > kMaxInt16 || value < -kMaxInt16 - 1) {
    throw Error::Overflow(std::string(what) + " is " + std::to_string(value) +
                          ", past the 16-bit limit of 32767");
  }
  return static_cast<std::int16_t>(value);
}

std::u16string FromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  if (utf8.size() > static_cast<std::size_t>(INT32_MAX)) {
    throw Error::Overflow("text of " + std::to_string(utf8.size()) + " bytes is too large");
  }
  std::u16string out(utf8.size(), u'\0');
  std::int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8(reinterpret_cast<UChar*>(out.data()), static_cast<std::int32_t>(out.size()),
                &length, utf8.data(), static_cast<std::int32_t>(utf8.size()), &status);
  if (U_FAILURE(status)) {
    // Find the first malformed byte so the message can point at it.
    std::size_t offset = 0;
    std::int32_t i = 0;
    const auto n = static_cast<std::int32_t>(utf8.size());
    const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
    while (i < n) {
      std::int32_t start = i;
      UChar32 c = 0;
      U8_NEXT(s, i, n, c);
      if (c < 0) {
        offset = static_cast<std::size_t>(start);
        break;
      }
    }
    throw Error::InvalidArgument("the text is not valid UTF-8 (malformed byte at offset " +
                                 std::to_string(offset) + ")");
  }
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::string ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  const auto n = utf16.size();
  for (std::size_t i = 0; i < n; ++i) {
    char32_t c = utf16[i];
    if (U16_IS_LEAD(c) && i + 1 < n && U16_IS_TRAIL(utf16[i + 1])) {
      c = static_cast<char32_t>(U16_GET_SUPPLEMENTARY(c, utf16[i + 1]));
      ++i;
    } else if (U16_IS_SURROGATE(c)) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

char16_t FoldUnit(char16_t unit) noexcept {
  return BmpFoldTable()[unit];
}

const char16_t* FoldTable() noexcept {
  return BmpFoldTable().data();
}

std::u16string FoldCase(std::u16string_view text) {
  const auto& table = BmpFoldTable();
  std::u16string out(text);
  const auto n = out.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t c = out[i];
    if (U16_IS_LEAD(c) && i + 1 < n && U16_IS_TRAIL(out[i + 1])) {
      const UChar32 folded = u_foldCase(U16_GET_SUPPLEMENTARY(c, out[i + 1]), U_FOLD_CASE_DEFAULT);
      if (folded > 0xFFFF) {
        out[i] = static_cast<char16_t>(U16_LEAD(folded));
        out[i + 1] = static_cast<char16_t>(U16_TRAIL(folded));
      }
      ++i;
    } else {
      out[i] = table[c];
    }
  }
  return out;
}

bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) noexcept {
  if (a.size() != b.size()) return false;
  const auto& table = BmpFoldTable();
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    if (U16_IS_SURROGATE(a[i]) || U16_IS_SURROGATE(b[i])) {
      // Rare: compare the folded texts code point by code point.
      return FoldCase(a) == FoldCase(b);
    }
    if (table[a[i]] != table[b[i]]) return false;
  }
  return true;
}

std::size_t FindIgnoreCase(std::u16string_view haystack, std::u16string_view needle,
                           std::size_t from) noexcept {
  if (from > haystack.size()) return std::u16string_view::npos;
  if (needle.empty()) return from;
  if (needle.size() > haystack.size() - from) return std::u16string_view::npos;
  const BmpFolding& folding = Folding();
  const auto& table = folding.fold;
  const char16_t first = table[needle[0]];
  const std::size_t last = haystack.size() - needle.size();
  // A first unit that only folds from itself (like "<") is found by a plain search.
  const bool plain_first = first == needle[0] && !folding.shared[first];
  for (std::size_t i = from; i <= last; ++i) {
    if (plain_first) {
      i = haystack.find(first, i);
      if (i == std::u16string_view::npos || i > last) return std::u16string_view::npos;
    } else if (table[haystack[i]] != first) {
      continue;
    }
    if (EqualsIgnoreCase(haystack.substr(i, needle.size()), needle)) return i;
  }
  return std::u16string_view::npos;
}

std::u16string_view TrimSpaces(std::u16string_view text) noexcept {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] == u' ') ++begin;
  while (end > begin && text[end - 1] == u' ') --end;
  return text.substr(begin, end - begin);
}

std::u16string DecimalText(std::int64_t value) {
  char digits[24];  // the 20 characters of -9223372036854775808 fit
  const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
  return std::u16string(digits, end);
}

}  // namespace wheretree
