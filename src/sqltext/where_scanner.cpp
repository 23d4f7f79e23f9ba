#include "sqltext/where_scanner.h"

#include <algorithm>
#include <bit>

#include "common/text.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace wheretree {
namespace {

// The first index at or after `i` (below `n`) of a unit at or below ")", or `n`. Spaces and
// brackets are rare in a WHERE text: eight units are tested at a time where SSE2 is there.
std::int32_t SkipOrdinaryUnits(const char16_t* units, std::int32_t i, std::int32_t n) noexcept {
#if defined(__SSE2__)
  const __m128i highest = _mm_set1_epi16(static_cast<short>(u')'));
  const __m128i zero = _mm_setzero_si128();
  for (; i + 8 <= n; i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
    // Saturating subtraction leaves 0 exactly for the units at or below ")".
    const int low = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_subs_epu16(v, highest), zero));
    if (low != 0) return i + std::countr_zero(static_cast<unsigned>(low)) / 2;
  }
#endif
  while (i < n && units[i] > u')') ++i;
  return i;
}

// " And " / " Or " with exactly one space on each side, letters in any case.
bool SeparatorAt(std::u16string_view text, std::size_t i, std::u16string_view word,
                 const char16_t* fold) {
  const std::size_t n = word.size();
  if (i + n + 2 > text.size() || text[i] != u' ' || text[i + n + 1] != u' ') return false;
  for (std::size_t k = 0; k < n; ++k) {
    if (fold[text[i + 1 + k]] != word[k]) return false;
  }
  return true;
}

}  // namespace

std::int32_t SeparatorLength(SeparatorKind kind) noexcept {
  switch (kind) {
    case SeparatorKind::open_bracket:
      return 1;
    case SeparatorKind::and_:
      return 5;
    case SeparatorKind::or_:
      return 4;
    case SeparatorKind::none:
      break;
  }
  return 0;
}

WhereScanner::WhereScanner(std::u16string_view text) : text_(text) {
  const auto n = static_cast<std::int32_t>(text.size());
  const char16_t* fold = FoldTable();
  // A ")" closes the latest "(" still open; a ")" with nothing open closes nothing.
  std::vector<std::size_t> open;
  const char16_t* const units = text.data();
  for (std::int32_t i = 0; i < n; ++i) {
    // Most characters are none of " ", "(" and ")", which all lie at or below ")".
    i = SkipOrdinaryUnits(units, i, n);
    if (i == n) break;
    const auto u = static_cast<std::size_t>(i);
    switch (units[u]) {
      case u'(':
        open.push_back(opens_.Size());
        opens_.Push(i);
        match_.push_back(kNotFound);
        break;
      case u')':
        closes_.Push(i);
        if (!open.empty()) {
          match_[open.back()] = i;
          open.pop_back();
        }
        break;
      case u' ':
        // Most spaces are followed by neither word; the first letter decides which to try.
        if (u + 1 < text.size()) {
          const char16_t letter = fold[text[u + 1]];
          if (letter == u'a' && SeparatorAt(text, u, u"and", fold)) ands_.Push(i);
          if (letter == u'o' && SeparatorAt(text, u, u"or", fold)) ors_.Push(i);
        }
        break;
      default:
        break;
    }
  }
}

std::size_t WhereScanner::Positions::LowerBound(std::int32_t from) const noexcept {
  const std::size_t n = at_.size();
  std::size_t k = hint_ < n ? hint_ : n;
  const auto first = at_.begin();
  if (k < n && at_[k] < from) {
    // Forward: entries before `low` are all below `from`; double the step until one is not.
    std::size_t low = k + 1;
    std::size_t step = 1;
    while (low + step - 1 < n && at_[low + step - 1] < from) {
      low += step;
      step *= 2;
    }
    const std::size_t high = low + step - 1 < n ? low + step - 1 : n;
    k = static_cast<std::size_t>(std::lower_bound(first + static_cast<std::ptrdiff_t>(low),
                                                  first + static_cast<std::ptrdiff_t>(high), from) -
                                 first);
  } else if (k > 0 && at_[k - 1] >= from) {
    // Backward: the entry at `high` is at or after `from`; double the step until one is not.
    std::size_t high = k - 1;
    std::size_t step = 1;
    while (high >= step && at_[high - step] >= from) {
      high -= step;
      step *= 2;
    }
    const std::size_t low = high >= step ? high - step : 0;
    k = static_cast<std::size_t>(std::lower_bound(first + static_cast<std::ptrdiff_t>(low),
                                                  first + static_cast<std::ptrdiff_t>(high), from) -
                                 first);
  }
  hint_ = k;
  return k;
}

std::int32_t WhereScanner::NextIn(const Positions& list, std::int32_t from) const noexcept {
  const std::size_t k = list.LowerBound(from);
  return k == list.Size() ? static_cast<std::int32_t>(text_.size()) : list[k];
}

std::int32_t WhereScanner::CountIn(const Positions& list, std::int32_t start,
                                   std::int32_t end) noexcept {
  const std::size_t first = list.LowerBound(start);
  return static_cast<std::int32_t>(list.LowerBound(end) - first);
}

std::int32_t WhereScanner::MatchOf(std::int32_t open) const noexcept {
  const std::size_t k = opens_.LowerBound(open);
  if (k == opens_.Size() || opens_[k] != open) return kNotFound;
  return match_[k];
}

WhereScanner::Separator WhereScanner::FindFirstSeparator(std::int32_t start,
                                                         std::int32_t end) const noexcept {
  Separator found{kNoSeparator, SeparatorKind::none, 0};
  if (const std::int32_t o = NextIn(opens_, start); o < end) {
    found = {o - start + 1, SeparatorKind::open_bracket, o - start + 2};
  }
  if (const std::int32_t a = NextIn(ands_, start); a + 5 <= end && a - start + 1 < found.pos) {
    found = {a - start + 1, SeparatorKind::and_, a - start + 6};
  }
  if (const std::int32_t r = NextIn(ors_, start); r + 4 <= end && r - start + 1 < found.pos) {
    found = {r - start + 1, SeparatorKind::or_, r - start + 5};
  }
  return found;
}

std::int32_t WhereScanner::FindClosingBracket(std::int32_t start, std::int32_t end) const noexcept {
  const std::int32_t open = NextIn(opens_, start);
  const std::int32_t close = NextIn(closes_, start);
  std::int32_t answer = kNotFound;
  if (close < open && close < end) {
    answer = close;  // the first bracket is a ")": its own position
  } else if (open < end) {
    const std::int32_t m = MatchOf(open);
    if (m != kNotFound && m < end) answer = m;
  }
  if (answer != kNotFound && answer - start + 1 >= kListLimit) return kNotFound;
  return answer;
}

bool WhereScanner::ClosesPastHorizon(std::int32_t open, std::int32_t end) const noexcept {
  const std::int32_t m = MatchOf(open);
  return m != kNotFound && m < end;
}

std::int32_t WhereScanner::BracketGroupsLength(std::int32_t start,
                                               std::int32_t end) const noexcept {
  std::int32_t s = start;
  while (true) {
    const std::int32_t close = FindClosingBracket(s, end);
    if (close == kNotFound) return end - start;  // an unclosed group: the run takes the rest
    s = close + 1;
    if (s >= end || FindFirstSeparator(s, end).kind != SeparatorKind::open_bracket) break;
  }
  return s - start;
}

WhereScanner::MemberEnd WhereScanner::FindSeparatorOutsideBrackets(
    std::int32_t start, std::int32_t end) const noexcept {
  std::int32_t cur = start;
  while (true) {
    const Separator sep = FindFirstSeparator(cur, end);
    switch (sep.kind) {
      case SeparatorKind::open_bracket:
        cur += BracketGroupsLength(cur, end);
        break;
      case SeparatorKind::and_:
      case SeparatorKind::or_: {
        // head: the text before the separator and its first character.
        const std::int32_t head_end = cur + sep.pos;
        if (CountOpenBrackets(cur, head_end) == CountCloseBrackets(cur, head_end)) {
          return {cur + sep.pos - 1 + SeparatorLength(sep.kind), sep.kind};
        }
        // A ")" that nothing opened stands before it: the separator is part of the member.
        cur += sep.next - 1;
        break;
      }
      case SeparatorKind::none:
        return {end, SeparatorKind::none};
    }
  }
}

std::int32_t WhereScanner::CountOpenBrackets(std::int32_t start, std::int32_t end) const noexcept {
  return CountIn(opens_, start, end);
}

std::int32_t WhereScanner::CountCloseBrackets(std::int32_t start, std::int32_t end) const noexcept {
  return CountIn(closes_, start, end);
}

}  // namespace wheretree
