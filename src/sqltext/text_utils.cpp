#include "sqltext/text_utils.h"

#include <cstddef>
#include <exception>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "common/error.h"
#include "common/text.h"

namespace wheretree {
namespace {

constexpr std::size_t kNone = std::u16string_view::npos;

}  // namespace

std::u16string CollapseSpaces(std::u16string_view text) {
  // One pass: a space is dropped when the text kept so far already ends in one. This gives the
  // same text as replacing pairs of spaces until none is left.
  std::u16string out(text.size(), u'\0');
  std::size_t kept = 0;
  for (const char16_t c : text) {
    if (c == u' ' && kept > 0 && out[kept - 1] == u' ') continue;
    out[kept++] = c;
  }
  out.resize(kept);
  return out;
}

std::int16_t CountOccurrences(std::u16string_view text, std::u16string_view part,
                              std::int16_t& start) {
  if (start == 0) start = 1;
  if (part.empty()) return 0;
  // Positions in the text are 16-bit numbers, so a text they cannot reach is refused before the
  // search rather than counted in part.
  CheckInt16(static_cast<std::int64_t>(text.size()), "the length of the text to count in");
  // A negative start is a caller's mistake; it is refused with a clear error rather than being
  // read as the first position.
  if (start < 0) {
    throw Error::InvalidArgument("the start position " + std::to_string(start) +
                                 " lies before the first character of the text");
  }
  std::int16_t count = 0;
  std::size_t from = static_cast<std::size_t>(start - 1);
  for (;;) {
    const std::size_t found = FindIgnoreCase(text, part, from);
    if (found == kNone) break;
    ++count;  // at most one per character of a text of at most 32767
    from = found + part.size();
    if (from >= text.size()) break;
  }
  start = 0;
  return count;
}

std::u16string RepeatString(std::u16string_view text, std::int32_t count) {
  // The count is a 16-bit argument: a value it cannot hold fails before any text is built, and
  // so is not one of the failures cleared below.
  const std::int16_t times = CheckInt16(count, "the repeat count");
  std::u16string out;
  try {
    for (std::int16_t i = 0; i < times; ++i) out.append(text);
  } catch (const std::exception&) {
    // A text too large to build: the part built so far is the result.
  }
  return out;
}

StringArray SplitBySeparators(std::u16string_view text, const StringArray& separators,
                              StringArray& found) {
  const std::int32_t last_separator = separators.UBound();
  // Positions in the text are 16-bit numbers, so the whole text must be reachable by them: a
  // longer text fails here instead of being split up to some point.
  CheckInt16(static_cast<std::int64_t>(text.size()), "the length of the text to split");

  StringArray pieces;
  if (text.empty()) return pieces;

  // next[i]: where separator i next occurs at or after the cursor (kNone: nowhere). A separator
  // is searched again only once the cursor has passed its remembered position, so each one scans
  // the text once in all.
  const auto separator_count = static_cast<std::size_t>(last_separator + 1);
  std::vector<std::size_t> next(separator_count);
  for (std::size_t i = 0; i < separator_count; ++i) {
    next[i] = FindIgnoreCase(text, separators.At(static_cast<std::int64_t>(i)), 0);
  }

  // "a.x >= 5 And b <> 2" with "=,<>,>=,<=,>,<": the ">=" at 4 and the "=" at 5 are both found,
  // ">=" is earlier in the text; later "<>" beats "<" at the same position by list order.
  std::vector<std::u16string> found_items;
  std::size_t cursor = 0;
  while (cursor < text.size()) {
    std::size_t best = kNone;
    std::size_t best_index = 0;
    for (std::size_t i = 0; i < separator_count; ++i) {
      const std::u16string& separator = separators.At(static_cast<std::int64_t>(i));
      if (next[i] != kNone && next[i] < cursor) next[i] = FindIgnoreCase(text, separator, cursor);
      if (next[i] < best) {  // strictly less: on a tie the earlier separator of the list stays
        best = next[i];
        best_index = i;
      }
    }
    if (best == kNone) break;
    const std::u16string& separator = separators.At(static_cast<std::int64_t>(best_index));
    if (separator.empty()) {
      // An empty separator is found at the start of the rest and never shortens it, so the
      // splitting would go on for ever; say so instead.
      throw Error::InvalidArgument("separator " + std::to_string(best_index) +
                                   " of the list is empty and would split the text endlessly");
    }
    pieces.Push(std::u16string(text.substr(cursor, best - cursor)));
    found_items.emplace_back(separator);
    cursor = best + separator.size();
  }
  if (cursor < text.size()) pieces.Push(std::u16string(text.substr(cursor)));
  // The found list is rewritten only by a find, and then holds exactly the separators found.
  if (!found_items.empty()) found = StringArray(std::move(found_items));
  return pieces;
}

std::u16string JoinPieces(const StringArray& pieces, const StringArray& separators) {
  const std::int32_t last = pieces.UBound();
  std::u16string out;
  for (std::int32_t i = 0; i <= last; ++i) {
    out += pieces.At(i);
    if (i != last) out += separators.At(i);
  }
  return out;
}

bool PairCountReached(const StringArray& list, std::u16string_view first,
                      std::u16string_view second, std::int32_t limit) {
  // A list that holds no array has no upper bound: that failure reaches the caller, while an
  // empty array simply gives false.
  const std::int32_t last = list.UBound();
  std::int64_t count = 0;
  for (std::int32_t i = 0; i <= last; ++i) {
    const std::u16string& entry = list.At(i);
    if (entry == first) ++count;
    if (entry == second) ++count;
    if (count > std::numeric_limits<std::int32_t>::max()) {
      throw Error::Overflow("the match count ran past the 32-bit limit");
    }
    if (count >= limit) return true;
  }
  return false;
}

StringArray SplitAtCommas(std::u16string_view list) {
  StringArray out(std::vector<std::u16string>{});
  if (list.empty()) return out;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t comma = list.find(u',', begin);
    if (comma == kNone) {
      out.Push(std::u16string(list.substr(begin)));
      return out;
    }
    out.Push(std::u16string(list.substr(begin, comma - begin)));
    begin = comma + 1;
  }
}

}  // namespace wheretree
