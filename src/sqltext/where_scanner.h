#pragma once

// Searches of the WHERE parser over one prepared text, answered from tables built once, so that a
// whole parse is linear in the text. Every search works on a slice [start, end) of the text: the
// rest of a member list, the inside of a bracket group, or what follows a group. Positions that
// the searches report are 1-based and relative to the slice's start, and the two search limits
// apply to them there:
//
//   slice:  "x > 1 And (y = 2 Or z = 3)"
//            1    6    11
//   FindFirstSeparator -> 6, kind And, next 11
//
// - a separator " And " / " Or " counts only when it starts before the first "(" of the slice,
//   or, in a slice without "(", before position 9999;
// - a bracket that closes a group is found only at a position below 17777.

#include <cstdint>
#include <string_view>
#include <vector>

namespace wheretree {

/// What a separator search found: the values are the node images the parser gives members.
enum class SeparatorKind : std::int16_t { none = 0, open_bracket = 1, and_ = 4, or_ = 5 };

/// 1 for "(", 5 for " And ", 4 for " Or ", 0 for none.
std::int32_t SeparatorLength(SeparatorKind kind) noexcept;

class WhereScanner {
 public:
  static constexpr std::int32_t kNoSeparator = 9999;  // FindFirstSeparator: nothing found
  static constexpr std::int32_t kListLimit = 17777;   // FindClosingBracket: search horizon
  static constexpr std::int32_t kNotFound = -1;       // absolute-index answers: nothing found

  /// Builds the tables for `text` (which must outlive the scanner).
  explicit WhereScanner(std::u16string_view text);

  std::u16string_view Text() const noexcept { return text_; }

  struct Separator {
    std::int32_t pos;  ///< 1-based in the slice, or kNoSeparator
    SeparatorKind kind;
    std::int32_t next;  ///< 1-based position after the separator; 0 when kind is none
  };
  /// The earliest of "(", " And ", " Or " in [start, end), letter case ignored, with the 9999 rule.
  Separator FindFirstSeparator(std::int32_t start, std::int32_t end) const noexcept;

  /// Absolute index of the bracket that closes the first bracket of [start, end): its matching
  /// ")" when it is "(", itself when it is ")". kNotFound when the brackets never balance inside
  /// the slice or the answer lies at relative position 17777 or later.
  std::int32_t FindClosingBracket(std::int32_t start, std::int32_t end) const noexcept;

  /// Why FindClosingBracket found nothing for a slice whose first bracket is "(" at `open`: true
  /// when a matching ")" exists in the slice but lies past the search horizon.
  bool ClosesPastHorizon(std::int32_t open, std::int32_t end) const noexcept;

  /// Length of the leading text of [start, end) up to and including the ")" that closes the last
  /// of a run of bracket groups separated only by text without separators:
  ///   "f(x) + g(y) = 1 And b" -> 11 (covers "f(x) + g(y)").
  /// When a group of the run never closes, the run takes the rest of the slice.
  std::int32_t BracketGroupsLength(std::int32_t start, std::int32_t end) const noexcept;

  struct MemberEnd {
    std::int32_t after;  ///< absolute index of the first character after the separator, or end
    SeparatorKind kind;  ///< and_, or_, or none when no separator ends the member
  };
  /// The first " And " / " Or " of [start, end) outside bracket groups; a separator preceded by
  /// a ")" that nothing opened (as in a quoted literal) belongs to the member.
  MemberEnd FindSeparatorOutsideBrackets(std::int32_t start, std::int32_t end) const noexcept;

  /// Number of "(" / ")" in [start, end).
  std::int32_t CountOpenBrackets(std::int32_t start, std::int32_t end) const noexcept;
  std::int32_t CountCloseBrackets(std::int32_t start, std::int32_t end) const noexcept;

 private:
  // Sorted 0-based indexes where each item starts. The parser's searches move forward through
  // the text with short steps back, so each list remembers where its last search ended and
  // gallops from there: a search costs the logarithm of the distance moved, not of the list.
  class Positions {
   public:
    void Push(std::int32_t index) { at_.push_back(index); }
    std::size_t Size() const noexcept { return at_.size(); }
    std::int32_t operator[](std::size_t k) const noexcept { return at_[k]; }
    /// The number of entries below `from`, i.e. the place of the first entry >= `from`.
    std::size_t LowerBound(std::int32_t from) const noexcept;

   private:
    std::vector<std::int32_t> at_;
    mutable std::size_t hint_ = 0;
  };
  // The first entry of `list` at or after `from`, or the text's size.
  std::int32_t NextIn(const Positions& list, std::int32_t from) const noexcept;
  static std::int32_t CountIn(const Positions& list, std::int32_t start, std::int32_t end) noexcept;
  // The ")" matching the "(" at index `open`, or kNotFound.
  std::int32_t MatchOf(std::int32_t open) const noexcept;

  std::u16string_view text_;
  Positions opens_;
  Positions closes_;
  Positions ands_;
  Positions ors_;
  std::vector<std::int32_t> match_;  // match_[k]: the ")" that closes opens_[k], or kNotFound
};

}  // namespace wheretree
