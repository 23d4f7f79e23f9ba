#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/error.h"
#include "common/text.h"
#include "common/text_hash.h"

namespace wheretree {

/// An ordered collection with 1-based positions in insertion order and an optional text key per
/// entry. Keys compare without regard to letter case (Unicode simple case folding); the empty text
/// is a key like any other, distinct from "no key". Lookup by key reads a short key list, or a
/// hash table once there are more than a few keys; removing an entry renumbers the entries after
/// it.
///
///   KeyedCollection<int> c;
///   c.Add(10, u"EMP");       // position 1
///   c.Add(20);               // position 2, no key
///   c.Item(u"emp")           // -> 10
///   c.Add(30, u"Emp");       // throws Error(duplicate_key); c.Count() stays 2
template <typename T>
class KeyedCollection {
 public:
  using iterator = typename std::vector<T>::iterator;
  using const_iterator = typename std::vector<T>::const_iterator;

  /// Appends `value`, under `key` when one is given. An equal key (letter case ignored) already
  /// held fails with Error(duplicate_key); the value is then discarded and nothing changes.
  ///   Add(u"x", u"A") then Add(u"y", u"a") -> duplicate_key
  void Add(T value, std::optional<std::u16string_view> key = std::nullopt) {
    if (values_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
      throw Error::Overflow("the collection already holds the most entries it can count");
    }
    std::optional<std::u16string> folded;
    std::size_t hash = 0;
    if (key) {
      folded = FoldCase(*key);
      hash = HashText(*folded);
      if (Find(*folded, hash) != kNone) {
        throw Error::DuplicateKey("the key \"" + ToUtf8(*key) +
                                  "\" is already used by another entry (letter case is ignored)");
      }
    }
    // Keys are listed only once some entry has one (a field list has none): the list is then
    // filled up to the entries so far. Room is made first, so that nothing can fail once the
    // value is in.
    const bool keyed = folded || !keys_.empty();
    if (keyed && keys_.size() < values_.size()) keys_.resize(values_.size());
    Grow(values_);
    if (keyed) Grow(keys_);
    if (folded && !slots_.empty() && 2 * (keyed_count_ + 1) > slots_.size()) {
      Rehash(2 * slots_.size());
    }
    values_.push_back(std::move(value));
    if (!keyed) return;
    keys_.push_back(std::move(folded));
    if (!keys_.back()) return;
    ++keyed_count_;
    if (!slots_.empty()) {
      Place(keys_.size() - 1, hash);
    } else if (keyed_count_ > kScannedKeys) {
      Rehash(4 * kScannedKeys);
    }
  }

  /// The entry at 1-based `position`; Error(out_of_range) outside 1..Count().
  ///   Item(1) -> first entry
  const T& Item(std::int32_t position) const { return values_[IndexOf(position)]; }
  T& Item(std::int32_t position) { return values_[IndexOf(position)]; }

  /// The entry whose key equals `key`, letter case ignored; Error(out_of_range) when none has it.
  ///   Item(u"emp") -> the entry added under u"EMP"
  const T& Item(std::u16string_view key) const { return values_[IndexOf(key)]; }
  T& Item(std::u16string_view key) { return values_[IndexOf(key)]; }

  /// True when an entry has a key equal to `key`, letter case ignored.
  bool Contains(std::u16string_view key) const {
    const std::u16string folded = FoldCase(key);
    return Find(folded, HashText(folded)) != kNone;
  }

  /// Number of entries.
  std::int32_t Count() const noexcept { return static_cast<std::int32_t>(values_.size()); }

  /// Removes the entry at 1-based `position`; the entries after it move up by one.
  void Remove(std::int32_t position) { RemoveIndex(IndexOf(position)); }

  /// Removes the entry whose key equals `key`, letter case ignored.
  void Remove(std::u16string_view key) { RemoveIndex(IndexOf(key)); }

  /// The entries in order.
  iterator begin() noexcept { return values_.begin(); }
  iterator end() noexcept { return values_.end(); }
  const_iterator begin() const noexcept { return values_.begin(); }
  const_iterator end() const noexcept { return values_.end(); }

 private:
  // Up to this many keys are found by reading the key list; past it a hash table is kept.
  // Most collections are small (a table's aliases), and a list of a few keys is read faster
  // than a table is built.
  static constexpr std::size_t kScannedKeys = 8;
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Makes room for one more entry, doubling the capacity so that appending stays linear overall.
  // The first room is for 8: a table's field list (its aliases and fields) mostly fits.
  template <typename V>
  static void Grow(V& vector) {
    if (vector.size() == vector.capacity()) vector.reserve(vector.empty() ? 8 : vector.size() * 2);
  }

  // The index of the entry whose folded key is `folded`, or kNone.
  std::size_t Find(std::u16string_view folded, std::size_t hash) const noexcept {
    if (keyed_count_ == 0) return kNone;
    if (slots_.empty()) {
      for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] && *keys_[i] == folded) return i;
      }
      return kNone;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
      const std::size_t index = slots_[slot] - 1;
      if (*keys_[index] == folded) return index;
    }
    return kNone;
  }

  // Records in the hash table that the entry at `index` has a key hashing to `hash`.
  void Place(std::size_t index, std::size_t hash) noexcept {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hash & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = static_cast<std::uint32_t>(index + 1);
  }

  // Builds the hash table anew with `size` slots (a power of two, more than twice the keys).
  void Rehash(std::size_t size) {
    slots_.assign(size, 0);
    for (std::size_t i = 0; i < keys_.size(); ++i) {
      if (keys_[i]) Place(i, HashText(*keys_[i]));
    }
  }

  std::size_t IndexOf(std::int32_t position) const {
    if (position < 1 || position > Count()) {
      throw Error::OutOfRange("position " + std::to_string(position) +
                              (values_.empty() ? " does not exist: the collection is empty"
                                               : " is outside 1.." + std::to_string(Count())));
    }
    return static_cast<std::size_t>(position - 1);
  }

  std::size_t IndexOf(std::u16string_view key) const {
    const std::u16string folded = FoldCase(key);
    const std::size_t found = Find(folded, HashText(folded));
    if (found == kNone) {
      throw Error::OutOfRange("no entry has the key \"" + ToUtf8(key) + "\"");
    }
    return found;
  }

  void RemoveIndex(std::size_t index) {
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(index));
    if (keys_.empty()) return;  // no entry has a key
    const bool had_key = keys_[index].has_value();
    keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(index));
    if (!had_key) {
      if (!slots_.empty()) Rehash(slots_.size());  // the entries after it moved up
      return;
    }
    --keyed_count_;
    if (keyed_count_ <= kScannedKeys) {
      slots_.clear();
      slots_.shrink_to_fit();
    } else {
      Rehash(slots_.size());
    }
  }

  std::vector<T> values_;
  // The folded key of each entry (nothing: no key), parallel to values_ once any entry has a
  // key; empty until then.
  std::vector<std::optional<std::u16string>> keys_;
  std::size_t keyed_count_ = 0;
  // Past kScannedKeys keys: open addressing (linear probing, at most half full) of 1 + the
  // index of each keyed entry, 0 for a free slot; empty below it.
  std::vector<std::uint32_t> slots_;
};

}  // namespace wheretree
