#pragma once

// Finds the nodes of a tree by key. The keys are the nodes' own texts, read in place: the index
// holds node pointers and their keys' hashes, in an open-addressing table (linear probing, at
// most half full).

#include <cstddef>
#include <string_view>
#include <vector>

namespace wheretree {

class TreeNode;

/// Nodes by key; empty keys are not indexed. The nodes must stay alive while they are indexed.
///   index.Insert(node);            // node->Key() == u"LP_3"
///   index.Find(u"LP_3") == node;   index.Erase(node);  index.Find(u"LP_3") == nullptr
class NodeKeyIndex {
 public:
  /// The node with `key`, or nullptr.
  TreeNode* Find(std::u16string_view key) const noexcept;
  /// Indexes `node` under its key; false (and nothing changes) when another node has that key.
  bool Insert(TreeNode* node);
  /// Forgets `node` if it is indexed.
  void Erase(const TreeNode* node) noexcept;
  void Clear() noexcept;

 private:
  struct Slot {
    TreeNode* node = nullptr;  // nullptr for a free slot
    std::size_t hash = 0;      // of the node's key
  };

  static std::size_t Hash(std::u16string_view key) noexcept;
  static std::u16string_view KeyOf(const TreeNode* node) noexcept;
  // The slot holding `key` (whose hash is `hash`), or the free slot where it would go.
  std::size_t SlotOf(std::u16string_view key, std::size_t hash) const noexcept;
  void Grow();

  std::vector<Slot> slots_;  // a power of two in size
  std::size_t count_ = 0;
};

}  // namespace wheretree
