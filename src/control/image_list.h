#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/error.h"

namespace wheretree {

/// One picture of an image list: its key, its tag text and the name of the picture a front end
/// shows for it (a file name under the front end's icon resources).
struct ImageListEntry {
  std::u16string key;
  std::u16string tag;
  std::u16string picture;
};

/// A headless image list: numbered pictures (1-based) that tree nodes refer to by `Image`.
/// The core never draws; a front end maps each entry's `picture` to a real icon.
class ImageList {
 public:
  explicit ImageList(std::u16string name, std::vector<ImageListEntry> entries = {})
      : name_(std::move(name)), entries_(std::move(entries)) {}

  const std::u16string& Name() const noexcept { return name_; }
  std::int32_t Count() const noexcept { return static_cast<std::int32_t>(entries_.size()); }
  /// Entry at 1-based `index`; out_of_range outside 1..Count.
  const ImageListEntry& Item(std::int32_t index) const {
    if (index < 1 || index > Count()) {
      throw Error::OutOfRange("image index " + std::to_string(index) + " is outside 1.." +
                              std::to_string(Count()));
    }
    return entries_[static_cast<std::size_t>(index - 1)];
  }
  void Add(ImageListEntry entry) { entries_.push_back(std::move(entry)); }

 private:
  std::u16string name_;
  std::vector<ImageListEntry> entries_;
};

/// The built-in image list `ImageListWhere`: seven pictures for the condition tree, in this order:
///   1 "LevelBegin" (tag "-1"), 2 "LevelAnd" ("-1"), 3 "LevelOr" ("-1"), 4 "simpleAnd",
///   5 "simpleOr", 6 "LevelWhere" ("-1"), 7 "Begin".
/// Each entry's picture names a 16x16 icon shipped in resources/icons/ (e.g. "level_and.svg").
std::shared_ptr<ImageList> MakeImageListWhere();

}  // namespace wheretree
