#pragma once

// The maps the catalogue's search index is made of: from a text (a table name, an alias or a
// field name) to the stamps of the tables that have it. An open-addressing table whose keys are
// copied into chunks of text the map owns, so a map of a few thousand names costs a handful of
// allocations instead of two per name.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace wheretree {

/// Ascending stamps = declaration order. Tables are appended with ever larger stamps, so a
/// sorted list takes nearly every insert at its end, and membership is a binary search. Most
/// names and aliases belong to one table only: the first stamp is kept in place.
///   Stamps s; s.insert(4); s.insert(2);   // s holds 2, 4;  s.contains(4) == true
class Stamps {
 public:
  void insert(std::uint64_t stamp);
  void erase(std::uint64_t stamp);
  bool contains(std::uint64_t stamp) const { return std::binary_search(begin(), end(), stamp); }
  void clear() noexcept {
    many_.clear();
    size_ = 0;
  }
  bool empty() const noexcept { return size_ == 0; }
  std::size_t size() const noexcept { return size_; }
  const std::uint64_t* begin() const noexcept { return size_ <= 1 ? &one_ : many_.data(); }
  const std::uint64_t* end() const noexcept { return begin() + size_; }

 private:
  std::uint64_t one_ = 0;            // the only stamp while there is one
  std::vector<std::uint64_t> many_;  // all of them once there are two or more
  std::size_t size_ = 0;
};

/// Texts (compared exactly) to their stamps.
///   StampMap m;
///   m.Insert(u"EMP", 0);  m.Insert(u"EMP", 3);   // m.Find(u"EMP") holds 0, 3
///   m.Unlink(u"EMP", 0);  m.Unlink(u"EMP", 3);   // m.Find(u"EMP") == nullptr
class StampMap {
 public:
  /// Adds `stamp` to the stamps of `text`, listing the text if it is new.
  void Insert(std::u16string_view text, std::uint64_t stamp);
  /// The stamps of `text`, or nullptr when no table has it.
  const Stamps* Find(std::u16string_view text) const noexcept;
  /// Takes `stamp` from the stamps of `text`; a text left without stamps is no longer listed.
  void Unlink(std::u16string_view text, std::uint64_t stamp);
  /// Forgets every text; the room stays.
  void Clear() noexcept;
  /// Makes room for `texts` texts in all.
  void Reserve(std::size_t texts);
  /// Units of text kept for texts no longer listed (they are freed by Clear).
  std::size_t DeadUnits() const noexcept { return dead_units_; }
  /// Units of text kept since the last Clear, listed or not.
  std::size_t KeptUnits() const noexcept { return kept_units_; }

 private:
  struct Slot {
    std::u16string_view text;  // points into chunks_
    std::size_t hash = 0;
    bool used = false;
    Stamps stamps;
  };

  std::size_t SlotOf(std::u16string_view text, std::size_t hash) const noexcept;
  void Rehash(std::size_t size);
  std::u16string_view Keep(std::u16string_view text);

  std::vector<Slot> slots_;  // a power of two in size, at most half full
  std::size_t count_ = 0;
  // Copies of the listed texts, chunk after chunk; a chunk is never moved, so views stay valid.
  std::vector<std::unique_ptr<char16_t[]>> chunks_;
  std::size_t chunk_used_ = 0;  // units used in the last chunk
  std::size_t chunk_size_ = 0;  // units in the last chunk
  std::size_t dead_units_ = 0;
  std::size_t kept_units_ = 0;
};

}  // namespace wheretree
