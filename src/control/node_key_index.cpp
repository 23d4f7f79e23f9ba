#include "control/node_key_index.h"

#include <algorithm>

#include "common/text_hash.h"
#include "control/tree_view.h"

namespace wheretree {

std::size_t NodeKeyIndex::Hash(std::u16string_view key) noexcept {
  return HashText(key);
}

std::size_t NodeKeyIndex::HashOf(const TreeNode* node) noexcept {
  return node->key_hash_;
}

std::u16string_view NodeKeyIndex::KeyOf(const TreeNode* node) noexcept {
  return node->key_;
}

std::size_t NodeKeyIndex::SlotOf(std::u16string_view key, std::size_t hash) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  while (slots_[slot] != nullptr && (HashOf(slots_[slot]) != hash || KeyOf(slots_[slot]) != key)) {
    slot = (slot + 1) & mask;
  }
  return slot;
}

TreeNode* NodeKeyIndex::Find(std::u16string_view key) const noexcept {
  if (count_ == 0 || key.empty()) return nullptr;
  return slots_[SlotOf(key, Hash(key))];
}

bool NodeKeyIndex::Insert(TreeNode* node) {
  const std::u16string_view key = KeyOf(node);
  if (key.empty()) return true;
  // Room first, so one probe both looks for the key and finds the free slot.
  if (2 * (count_ + 1) > slots_.size()) Grow();
  node->key_hash_ = Hash(key);
  const std::size_t slot = SlotOf(key, node->key_hash_);
  if (slots_[slot] != nullptr) return false;
  slots_[slot] = node;
  ++count_;
  return true;
}

void NodeKeyIndex::Erase(const TreeNode* node) noexcept {
  const std::u16string_view key = KeyOf(node);
  if (count_ == 0 || key.empty()) return;
  const std::size_t mask = slots_.size() - 1;
  std::size_t hole = SlotOf(key, HashOf(node));
  if (slots_[hole] != node) return;
  // Backward-shift deletion: later members of the probe run move into the hole whenever their
  // home slot does not lie between the hole and themselves, so no search ever stops early.
  std::size_t next = (hole + 1) & mask;
  while (slots_[next] != nullptr) {
    const std::size_t home = HashOf(slots_[next]) & mask;
    const bool stays = hole <= next ? (hole < home && home <= next) : (hole < home || home <= next);
    if (!stays) {
      slots_[hole] = slots_[next];
      hole = next;
    }
    next = (next + 1) & mask;
  }
  slots_[hole] = nullptr;
  --count_;
}

void NodeKeyIndex::Clear() noexcept {
  std::fill(slots_.begin(), slots_.end(), nullptr);  // the room stays for the next tree
  count_ = 0;
}

void NodeKeyIndex::Grow() {
  std::vector<TreeNode*> old(slots_.empty() ? 64 : 2 * slots_.size(), nullptr);
  old.swap(slots_);
  for (TreeNode* node : old) {
    if (node == nullptr) continue;
    std::size_t slot = HashOf(node) & (slots_.size() - 1);
    while (slots_[slot] != nullptr) slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = node;
  }
}

}  // namespace wheretree
