#pragma once

// Text primitives shared by the whole core. Text is UTF-16 (std::u16string) everywhere inside the
// library; positions and lengths count UTF-16 code units. Conversion to and from UTF-8 happens only
// at the edges (files, command line).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wheretree {

/// The largest value of the 16-bit positions, counts and lengths the parsing, catalogue and AML
/// code works with; one past it is an overflow.
inline constexpr std::int32_t kMaxInt16 = 32767;

/// Returns `value` as a 16-bit number, or throws Error(overflow) naming `what`:
///   CheckInt16(40000, "the WHERE text length") -> overflow "the WHERE text length is 40000, ..."
std::int16_t CheckInt16(std::int64_t value, std::string_view what);

/// UTF-8 -> UTF-16. Throws Error(invalid_argument) naming the byte offset of malformed input.
///   FromUtf8("a\xD0\x8F") == u"a\u040F"
std::u16string FromUtf8(std::string_view utf8);

/// UTF-16 -> UTF-8. A lone surrogate becomes U+FFFD (writing never fails).
std::string ToUtf8(std::u16string_view utf16);

/// Unicode simple case folding of one code unit (a lone surrogate half is returned unchanged).
///   FoldUnit(u'\u040F') == u'\u045F', FoldUnit(u'A') == u'a'
char16_t FoldUnit(char16_t unit) noexcept;
/// The table FoldUnit reads, for loops over many units: FoldTable()[unit] == FoldUnit(unit).
const char16_t* FoldTable() noexcept;

/// Unicode simple case folding of a whole text, code point by code point. The result always has
/// the length of the input: a code point whose folding would need another number of code units
/// is kept as it is.
std::u16string FoldCase(std::u16string_view text);

/// True when `a` and `b` are equal after simple case folding.
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) noexcept;

/// 0-based position of the first occurrence of `needle` in `haystack` at or after `from`, letter
/// case ignored, or npos. An empty needle is found at `from` (when from <= size).
///   FindIgnoreCase(u"x AND y", u" and ", 0) == 1
std::size_t FindIgnoreCase(std::u16string_view haystack, std::u16string_view needle,
                           std::size_t from = 0) noexcept;

/// Removes leading and trailing U+0020 spaces (tabs and line breaks stay).
std::u16string_view TrimSpaces(std::u16string_view text) noexcept;

/// Decimal text of a whole number: DecimalText(-12) == u"-12".
std::u16string DecimalText(std::int64_t value);

/// Shorthand for tests and messages: the UTF-8 form of a UTF-16 literal.
inline std::string Utf8(std::u16string_view utf16) {
  return ToUtf8(utf16);
}

}  // namespace wheretree
