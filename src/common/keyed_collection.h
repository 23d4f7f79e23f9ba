#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/error.h"
#include "common/text.h"

namespace wheretree {

/// An ordered collection with 1-based positions in insertion order and an optional text key per
/// entry. Keys compare without regard to letter case (Unicode simple case folding); the empty text
/// is a key like any other, distinct from "no key". Lookup by key is a hash lookup; removing an
/// entry renumbers the entries after it.
///
///   KeyedCollection<int> c;
///   c.Add(10, u"EMP");       // position 1
///   c.Add(20);               // position 2, no key
///   c.Item(u"emp")           // -> 10
///   c.Add(30, u"Emp");       // throws Error(duplicate_key); c.Count() stays 2
template <typename T>
class KeyedCollection {
 public:
  KeyedCollection() = default;
  // A copy points its key list at its own index; a move takes the index's elements along.
  KeyedCollection(const KeyedCollection& other)
      : values_(other.values_), keys_(other.keys_.size(), nullptr), positions_(other.positions_) {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
      if (other.keys_[i] != nullptr) keys_[i] = &*positions_.find(other.keys_[i]->first);
    }
  }
  KeyedCollection(KeyedCollection&&) noexcept = default;
  KeyedCollection& operator=(const KeyedCollection& other) {
    if (this != &other) *this = KeyedCollection(other);
    return *this;
  }
  KeyedCollection& operator=(KeyedCollection&&) noexcept = default;
  ~KeyedCollection() = default;

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
    if (key) {
      folded = FoldCase(*key);
      if (positions_.contains(*folded)) {
        throw Error::DuplicateKey("the key \"" + ToUtf8(*key) +
                                  "\" is already used by another entry (letter case is ignored)");
      }
    }
    // Keys are listed only once some entry has one (a field list has none): the list is then
    // filled up to the entries so far. Room is made first, so that nothing can fail once the key
    // is in the index.
    const bool keyed = folded || !keys_.empty();
    if (keyed && keys_.size() < values_.size()) keys_.resize(values_.size(), nullptr);
    Grow(values_);
    if (keyed) Grow(keys_);
    Slot* slot = nullptr;
    if (folded) slot = &*positions_.emplace(std::move(*folded), values_.size()).first;
    values_.push_back(std::move(value));
    if (keyed) keys_.push_back(slot);
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
  bool Contains(std::u16string_view key) const { return positions_.contains(FoldCase(key)); }

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
  // Makes room for one more entry, doubling the capacity so that appending stays linear overall.
  // The first room is for 8: a table's field list (its aliases and fields) mostly fits.
  template <typename V>
  static void Grow(V& vector) {
    if (vector.size() == vector.capacity()) vector.reserve(vector.empty() ? 8 : vector.size() * 2);
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
    const auto found = positions_.find(FoldCase(key));
    if (found == positions_.end()) {
      throw Error::OutOfRange("no entry has the key \"" + ToUtf8(key) + "\"");
    }
    return found->second;
  }

  void RemoveIndex(std::size_t index) {
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(index));
    if (keys_.empty()) return;  // no entry has a key
    if (keys_[index] != nullptr) positions_.erase(keys_[index]->first);
    keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(index));
    for (std::size_t i = index; i < keys_.size(); ++i) {
      if (keys_[i] != nullptr) keys_[i]->second = i;
    }
  }

  // folded key -> index in values_
  using Positions = std::unordered_map<std::u16string, std::size_t>;
  using Slot = Positions::value_type;

  std::vector<T> values_;
  // Each entry's place in `positions_` (nullptr: no key), parallel to values_ once any entry has
  // a key; empty until then. Elements of an unordered map stay where they are when it rehashes.
  std::vector<Slot*> keys_;
  Positions positions_;
};

}  // namespace wheretree
