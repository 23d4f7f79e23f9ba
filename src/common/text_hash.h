#pragma once

// A fast hash of UTF-16 text for the library's open-addressing tables (tree keys, catalogue
// names, collection keys). Keys there are short (LP_12, EMP, DEPTNO): reading four units at a
// time with one multiplication each costs a fraction of a general-purpose byte hash, and the
// final mix spreads the result over the low bits that a power-of-two table uses.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace wheretree {

///   HashText(u"LP_1") != HashText(u"LP_2");  HashText(u"") is a fixed number
inline std::size_t HashText(std::u16string_view text) noexcept {
  const char16_t* p = text.data();
  std::size_t n = text.size();
  std::uint64_t h = 0x9e3779b97f4a7c15ULL ^ n;
  for (; n >= 4; n -= 4, p += 4) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    h = (h ^ word) * 0xff51afd7ed558ccdULL;
    h ^= h >> 32;
  }
  std::uint64_t tail = 0;
  if (n > 0) std::memcpy(&tail, p, n * sizeof(char16_t));
  h = (h ^ tail) * 0xc4ceb9fe1a85ec53ULL;
  return static_cast<std::size_t>(h ^ (h >> 29));
}

}  // namespace wheretree
