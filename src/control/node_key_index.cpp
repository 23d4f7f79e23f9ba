#include "control/node_key_index.h"

#include <algorithm>
#include <functional>

#include "control/tree_view.h"

namespace wheretree {

std::size_t NodeKeyIndex::Hash(std::u16string_view key) noexcept {
  return std::hash<std::u16string_view>{}(key);
}

std::u16string_view NodeKeyIndex::KeyOf(const TreeNode* node) noexcept {
  return node->key_;
}

std::size_t NodeKeyIndex::SlotOf(std::u16string_view key) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = Hash(key) & mask;
  while (slots_[slot] != nullptr && KeyOf(slots_[slot]) != key) slot = (slot + 1) & mask;
  return slot;
}

TreeNode* NodeKeyIndex::Find(std::u16string_view key) const noexcept {
  if (count_ == 0 || key.empty()) return nullptr;
  return slots_[SlotOf(key)];
}

bool NodeKeyIndex::Insert(TreeNode* node) {
  const std::u16string_view key = KeyOf(node);
  if (key.empty()) return true;
  if (Find(key) != nullptr) return false;
  if (2 * (count_ + 1) > slots_.size()) Grow();
  slots_[SlotOf(key)] = node;
  ++count_;
  return true;
}

void NodeKeyIndex::Erase(const TreeNode* node) noexcept {
  const std::u16string_view key = KeyOf(node);
  if (count_ == 0 || key.empty()) return;
  const std::size_t mask = slots_.size() - 1;
  std::size_t hole = SlotOf(key);
  if (slots_[hole] != node) return;
  // Backward-shift deletion: later members of the probe run move into the hole whenever their
  // home slot does not lie between the hole and themselves, so no search ever stops early.
  std::size_t next = (hole + 1) & mask;
  while (slots_[next] != nullptr) {
    const std::size_t home = Hash(KeyOf(slots_[next])) & mask;
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
    if (node != nullptr) slots_[SlotOf(KeyOf(node))] = node;
  }
}

}  // namespace wheretree
