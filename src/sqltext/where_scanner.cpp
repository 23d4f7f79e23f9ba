#include "sqltext/where_scanner.h"

#include "common/text.h"

namespace wheretree {
namespace {

// " And " / " Or " with exactly one space on each side, letters in any case.
bool SeparatorAt(std::u16string_view text, std::size_t i, std::u16string_view word) {
  const std::size_t n = word.size();
  if (i + n + 2 > text.size() || text[i] != u' ' || text[i + n + 1] != u' ') return false;
  for (std::size_t k = 0; k < n; ++k) {
    if (FoldUnit(text[i + 1 + k]) != word[k]) return false;
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
  const auto size = static_cast<std::size_t>(n) + 1;
  next_open_.assign(size, n);
  next_close_.assign(size, n);
  next_and_.assign(size, n);
  next_or_.assign(size, n);
  match_.assign(size, kNotFound);
  opens_.assign(size, 0);
  closes_.assign(size, 0);
  for (std::int32_t i = n - 1; i >= 0; --i) {
    const auto u = static_cast<std::size_t>(i);
    next_open_[u] = text[u] == u'(' ? i : next_open_[u + 1];
    next_close_[u] = text[u] == u')' ? i : next_close_[u + 1];
    next_and_[u] = SeparatorAt(text, u, u"and") ? i : next_and_[u + 1];
    next_or_[u] = SeparatorAt(text, u, u"or") ? i : next_or_[u + 1];
  }
  // A ")" closes the latest "(" still open; a ")" with nothing open closes nothing.
  std::vector<std::int32_t> open;
  for (std::int32_t i = 0; i < n; ++i) {
    const auto u = static_cast<std::size_t>(i);
    opens_[u + 1] = opens_[u] + (text[u] == u'(' ? 1 : 0);
    closes_[u + 1] = closes_[u] + (text[u] == u')' ? 1 : 0);
    if (text[u] == u'(') {
      open.push_back(i);
    } else if (text[u] == u')' && !open.empty()) {
      match_[static_cast<std::size_t>(open.back())] = i;
      open.pop_back();
    }
  }
}

WhereScanner::Separator WhereScanner::FindFirstSeparator(std::int32_t start,
                                                         std::int32_t end) const noexcept {
  Separator found{kNoSeparator, SeparatorKind::none, 0};
  const auto s = static_cast<std::size_t>(start);
  if (const std::int32_t o = next_open_[s]; o < end) {
    found = {o - start + 1, SeparatorKind::open_bracket, o - start + 2};
  }
  if (const std::int32_t a = next_and_[s]; a + 5 <= end && a - start + 1 < found.pos) {
    found = {a - start + 1, SeparatorKind::and_, a - start + 6};
  }
  if (const std::int32_t r = next_or_[s]; r + 4 <= end && r - start + 1 < found.pos) {
    found = {r - start + 1, SeparatorKind::or_, r - start + 5};
  }
  return found;
}

std::int32_t WhereScanner::FindClosingBracket(std::int32_t start, std::int32_t end) const noexcept {
  const auto s = static_cast<std::size_t>(start);
  const std::int32_t open = next_open_[s];
  const std::int32_t close = next_close_[s];
  std::int32_t answer = kNotFound;
  if (close < open && close < end) {
    answer = close;  // the first bracket is a ")": its own position
  } else if (open < end) {
    const std::int32_t m = match_[static_cast<std::size_t>(open)];
    if (m != kNotFound && m < end) answer = m;
  }
  if (answer != kNotFound && answer - start + 1 >= kListLimit) return kNotFound;
  return answer;
}

bool WhereScanner::ClosesPastHorizon(std::int32_t open, std::int32_t end) const noexcept {
  const std::int32_t m = match_[static_cast<std::size_t>(open)];
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
  return opens_[static_cast<std::size_t>(end)] - opens_[static_cast<std::size_t>(start)];
}

std::int32_t WhereScanner::CountCloseBrackets(std::int32_t start, std::int32_t end) const noexcept {
  return closes_[static_cast<std::size_t>(end)] - closes_[static_cast<std::size_t>(start)];
}

}  // namespace wheretree
