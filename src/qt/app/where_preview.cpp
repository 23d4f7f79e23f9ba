#include "qt/app/where_preview.h"

#include <unordered_map>

#include "control/condition_tree.h"
#include "control/where_writer.h"

std::u16string PreviewWhereString(const wheretree::TreeView& tree, std::int32_t sdvig) {
  if (tree.Nodes().Count() == 0) return u"";
  wheretree::TreeView copy;
  std::unordered_map<const wheretree::TreeNode*, wheretree::NodeRef> made;
  // Index order is creation order, so every parent is copied before its children.
  for (const auto& node : tree.Nodes().All()) {
    const auto parent = node->Parent();
    auto twin = parent ? copy.Nodes().AddChild(made.at(parent.get()), node->Key(), node->Text(),
                                               node->Image())
                       : copy.Nodes().Add(node->Key(), node->Text(), node->Image());
    twin->Tag(node->Tag());
    made.emplace(node.get(), std::move(twin));
  }
  const auto root = copy.Nodes().Item(1);
  wheretree::PruneEmptyLevels(root, copy);
  return wheretree::WriteLevel(root, 0, sdvig);
}
