#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/error.h"

namespace wheretree {

/// A 0-based list of texts whose upper bound belongs to the value. A list may also hold no array
/// at all (what splitting an empty text gives); asking such a list for its upper bound or an entry
/// fails with Error(out_of_range).
///
///   StringArray none;                 // none.HasArray() == false, none.UBound() throws
///   StringArray two({u"a", u"b"});    // two.UBound() == 1, two.At(1) == u"b"
class StringArray {
 public:
  StringArray() = default;
  explicit StringArray(std::vector<std::u16string> items)
      : items_(std::move(items)), has_array_(true) {}

  bool HasArray() const noexcept { return has_array_; }

  /// Index of the last entry: -1 for an empty array; out_of_range when there is no array.
  std::int32_t UBound() const {
    if (!has_array_) throw Error::OutOfRange("the list holds no array, so it has no upper bound");
    return static_cast<std::int32_t>(items_.size()) - 1;
  }

  /// Entry `index` (0-based); out_of_range outside 0..UBound() or when there is no array.
  const std::u16string& At(std::int64_t index) const {
    if (!has_array_ || index < 0 || index >= static_cast<std::int64_t>(items_.size())) {
      throw Error::OutOfRange("list index " + std::to_string(index) + " is outside 0.." +
                              std::to_string(static_cast<std::int64_t>(items_.size()) - 1));
    }
    return items_[static_cast<std::size_t>(index)];
  }
  std::u16string& At(std::int64_t index) {
    return const_cast<std::u16string&>(std::as_const(*this).At(index));
  }

  /// Appends an entry (creating the array when there was none).
  void Push(std::u16string item) {
    has_array_ = true;
    items_.push_back(std::move(item));
  }

  /// Number of entries (0 also when there is no array).
  std::size_t Size() const noexcept { return items_.size(); }
  const std::vector<std::u16string>& Items() const noexcept { return items_; }
  auto begin() const noexcept { return items_.begin(); }
  auto end() const noexcept { return items_.end(); }

  friend bool operator==(const StringArray&, const StringArray&) = default;

 private:
  std::vector<std::u16string> items_;
  bool has_array_ = false;
};

}  // namespace wheretree
