#include "catalogue/stamp_map.h"

#include <utility>

#include "common/text_hash.h"

namespace wheretree {
namespace {

constexpr std::size_t kChunkUnits = 4096;

}  // namespace

void Stamps::insert(std::uint64_t stamp) {
  if (size_ == 0) {
    one_ = stamp;
  } else if (size_ == 1) {
    if (one_ == stamp) return;
    many_ = one_ < stamp ? std::vector<std::uint64_t>{one_, stamp}
                         : std::vector<std::uint64_t>{stamp, one_};
  } else if (many_.back() < stamp) {
    many_.push_back(stamp);
  } else {
    const auto at = std::lower_bound(many_.begin(), many_.end(), stamp);
    if (*at == stamp) return;
    many_.insert(at, stamp);
  }
  ++size_;
}

void Stamps::erase(std::uint64_t stamp) {
  if (size_ <= 1) {
    if (size_ == 1 && one_ == stamp) size_ = 0;
    return;
  }
  const auto at = std::lower_bound(many_.begin(), many_.end(), stamp);
  if (at == many_.end() || *at != stamp) return;
  many_.erase(at);
  if (--size_ == 1) {
    one_ = many_.front();
    many_.clear();
  }
}

std::size_t StampMap::SlotOf(std::u16string_view text, std::size_t hash) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  while (slots_[slot].used && (slots_[slot].hash != hash || slots_[slot].text != text)) {
    slot = (slot + 1) & mask;
  }
  return slot;
}

void StampMap::Insert(std::u16string_view text, std::uint64_t stamp) {
  if (2 * (count_ + 1) > slots_.size()) Rehash(std::max<std::size_t>(64, 2 * slots_.size()));
  const std::size_t hash = HashText(text);
  Slot& slot = slots_[SlotOf(text, hash)];
  if (!slot.used) {
    slot.text = Keep(text);
    slot.hash = hash;
    slot.used = true;
    ++count_;
  }
  slot.stamps.insert(stamp);
}

const Stamps* StampMap::Find(std::u16string_view text) const noexcept {
  if (count_ == 0) return nullptr;
  const Slot& slot = slots_[SlotOf(text, HashText(text))];
  return slot.used ? &slot.stamps : nullptr;
}

void StampMap::Unlink(std::u16string_view text, std::uint64_t stamp) {
  if (count_ == 0) return;
  std::size_t hole = SlotOf(text, HashText(text));
  if (!slots_[hole].used) return;
  slots_[hole].stamps.erase(stamp);
  if (!slots_[hole].stamps.empty()) return;
  dead_units_ += text.size();
  // Backward-shift deletion: later members of the probe run move into the hole whenever their
  // home slot does not lie between the hole and themselves, so no search ever stops early.
  const std::size_t mask = slots_.size() - 1;
  std::size_t next = (hole + 1) & mask;
  while (slots_[next].used) {
    const std::size_t home = slots_[next].hash & mask;
    const bool stays = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
    if (!stays) {
      slots_[hole] = std::move(slots_[next]);
      hole = next;
    }
    next = (next + 1) & mask;
  }
  slots_[hole] = Slot{};
  --count_;
}

void StampMap::Clear() noexcept {
  if (count_ != 0) {
    for (Slot& slot : slots_) {
      if (slot.used) slot = Slot{};
    }
  }
  count_ = 0;
  // The last chunk stays for the next texts.
  if (chunks_.size() > 1) {
    std::unique_ptr<char16_t[]> last = std::move(chunks_.back());
    chunks_.clear();
    chunks_.push_back(std::move(last));
  }
  chunk_used_ = 0;
  dead_units_ = 0;
  kept_units_ = 0;
}

void StampMap::Reserve(std::size_t texts) {
  std::size_t size = slots_.empty() ? 64 : slots_.size();
  while (size < 2 * texts) size *= 2;
  if (size > slots_.size()) Rehash(size);
}

void StampMap::Rehash(std::size_t size) {
  std::vector<Slot> old(size);
  old.swap(slots_);
  const std::size_t mask = size - 1;
  for (Slot& s : old) {
    if (!s.used) continue;
    std::size_t slot = s.hash & mask;
    while (slots_[slot].used) slot = (slot + 1) & mask;
    slots_[slot] = std::move(s);
  }
}

std::u16string_view StampMap::Keep(std::u16string_view text) {
  if (text.empty()) return {};
  if (chunk_size_ - chunk_used_ < text.size()) {
    // A text longer than a chunk gets a chunk of its own size.
    chunk_size_ = std::max(kChunkUnits, text.size());
    chunks_.push_back(std::make_unique_for_overwrite<char16_t[]>(chunk_size_));
    chunk_used_ = 0;
  }
  char16_t* const at = chunks_.back().get() + chunk_used_;
  std::copy(text.begin(), text.end(), at);
  chunk_used_ += text.size();
  kept_units_ += text.size();
  return {at, text.size()};
}

}  // namespace wheretree
