#pragma once

// Stateless helpers on fragments of SQL text: spaces, counting, repeating, splitting a text at a
// list of separators and joining the pieces again. Positions are 1-based where they are visible;
// case-insensitive searches use simple case folding.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/string_array.h"

namespace wheretree {

/// Reduces every run of U+0020 spaces to one space; tabs and line breaks stay.
///   CollapseSpaces(u"a    b \t c") -> u"a b \t c"
std::u16string CollapseSpaces(std::u16string_view text);

/// Counts the non-overlapping occurrences of `part` in `text` from the 1-based `start` on, letter
/// case ignored. A `start` of 0 means 1. After a search for a non-empty part `start` is left at 0;
/// for an empty part the result is 0 and `start` only goes from 0 to 1. A text longer than 32767
/// fails with Error(overflow); a negative `start` with Error(invalid_argument).
///   std::int16_t s = 0; CountOccurrences(u"s.t.f", u".", s) -> 2, s == 0
///   std::int16_t s = 0; CountOccurrences(u"aaa", u"aa", s)  -> 1
std::int16_t CountOccurrences(std::u16string_view text, std::u16string_view part,
                              std::int16_t& start);

/// `text` repeated `count` times; "" for a count of 0 or less. The count is a 16-bit number:
/// past 32767 (or below -32768) it fails with Error(overflow).
///   RepeatString(u" ", 3) -> u"   ", RepeatString(u"ab", -1) -> u""
std::u16string RepeatString(std::u16string_view text, std::int32_t count);

/// Splits `text` at the separators of the list, searched case-insensitively: at each step the
/// earliest separator in the rest wins, and at one position the one earlier in the list. Returns
/// the pieces; `found` receives the separator that follows each piece (when no separator is found
/// at all, `found` is left as it came in). A text ending in a separator has no empty last piece.
/// An empty text gives a list that holds no array. Fails with Error(overflow) for a text longer
/// than 32767, Error(out_of_range) when `separators` holds no array, and Error(invalid_argument)
/// when an empty separator would be taken (it would split off empty pieces for ever).
///   SplitBySeparators(u"a.x >= 5", {"=", "<>", ">=", "<=", ">", "<"}, found)
///     -> {u"a.x ", u" 5"}, found == {u">="}
///   SplitBySeparators(u"x =", ops, found) -> {u"x "}, found == {u"="}
StringArray SplitBySeparators(std::u16string_view text, const StringArray& separators,
                              StringArray& found);

/// Piece 0, separator 0, piece 1, ... up to the last piece; separators beyond it are not used.
/// Fails with Error(out_of_range) when `pieces` holds no array or a needed separator is missing.
///   JoinPieces({u"a", u"b", u"c"}, {u" And ", u" Or "}) -> u"a And b Or c"
std::u16string JoinPieces(const StringArray& pieces, const StringArray& separators);

/// Counts the entries equal to `first` plus the entries equal to `second` (exact comparison, an
/// entry equal to both counts twice) and answers true as soon as the count reaches `limit`.
/// An empty list gives false; a list that holds no array fails with Error(out_of_range).
///   PairCountReached({u"e", u"d"}, u"e", u"d", 2) -> true
///   PairCountReached({u"e"}, u"e", u"e", 2)        -> true
bool PairCountReached(const StringArray& list, std::u16string_view first,
                      std::u16string_view second, std::int32_t limit);

/// Splits a comma-separated list; empty entries stay, and "" gives an empty array (not no array).
///   SplitAtCommas(u"=,<>") -> {u"=", u"<>"}, SplitAtCommas(u"a,,b") -> {u"a", u"", u"b"}
StringArray SplitAtCommas(std::u16string_view list);

}  // namespace wheretree
