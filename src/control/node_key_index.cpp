#include "control/node_key_index.h"

#include <algorithm>

#include "common/text_hash.h"
#include "control/tree_view.h"

namespace wheretree {

std::size_t NodeKeyIndex::Hash(std::u16string_view key) noexcept {
  return HashText(key);
}

std::u16string_view NodeKeyIndex::KeyOf(const TreeNode* node) noexcept {
  return node->key_;
}

std::size_t NodeKeyIndex::SlotOf(std::u16string_view key, std::size_t hash) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  // The hashes stand in the table: a node is read only when its hash matches.
  while (slots_[slot].node != nullptr &&
         (slots_[slot].hash != hash || KeyOf(slots_[slot].node) != key)) {
    slot = (slot + 1) & mask;
  }
  return slot;
}

TreeNode* NodeKeyIndex::Find(std::u16string_view key) const noexcept {
  if (count_ == 0 || key.empty()) return nullptr;
  return slots_[SlotOf(key, Hash(key))].node;
}

bool NodeKeyIndex::Insert(TreeNode* node) {
  const std::u16string_view key = KeyOf(node);
  if (key.empty()) return true;
  // Room first, so one probe both looks for the key and finds the free slot.
  if (2 * (count_ + 1) > slots_.size()) Grow();
  const std::size_t hash = Hash(key);
  Slot& slot = slots_[SlotOf(key, hash)];
  if (slot.node != nullptr) return false;
  slot = {node, hash};
  ++count_;
  return true;
}

void NodeKeyIndex::Erase(const TreeNode* node) noexcept {
  const std::u16string_view key = KeyOf(node);
  if (count_ == 0 || key.empty()) return;
  const std::size_t mask = slots_.size() - 1;
  std::size_t hole = SlotOf(key, Hash(key));
  if (slots_[hole].node != node) return;
  // Backward-shift deletion: later members of the probe run move into the hole whenever their
  // home slot does not lie between the hole and themselves, so no search ever stops early.
  std::size_t next = (hole + 1) & mask;
  while (slots_[next].node != nullptr) {
    const std::size_t home = slots_[next].hash & mask;
    const bool stays = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
    if (!stays) {
      slots_[hole] = slots_[next];
      hole = next;
    }
    next = (next + 1) & mask;
  }
  slots_[hole] = Slot{};
  --count_;
}

void NodeKeyIndex::Clear() noexcept {
  std::fill(slots_.begin(), slots_.end(), Slot{});  // the room stays for the next tree
  count_ = 0;
}

void NodeKeyIndex::Grow() {
  std::vector<Slot> old(slots_.empty() ? 64 : 2 * slots_.size());
  old.swap(slots_);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& s : old) {
    if (s.node == nullptr) continue;
    std::size_t slot = s.hash & mask;
    while (slots_[slot].node != nullptr) slot = (slot + 1) & mask;
    slots_[slot] = s;
  }
}

}  // namespace wheretree
