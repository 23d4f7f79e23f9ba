// Editing the condition tree through the control: adding levels and conditions at the current
// node and deleting the current node.
#include "common/text.h"
#include "control/alias_renaming.h"
#include "control/where_tree_view_control.h"

namespace wheretree {

void WhereTreeViewControl::AddLevel(TypeOfLogic& TypeLogic) {
  CreateLevelNode(TypeLogic, tree_, node_counter_);
}

void WhereTreeViewControl::AddNode(const std::u16string& Pardigma, TypeOfLogic TypeLogic) {
  if (!Pardigma.empty()) CreateConditionNode(TypeLogic, Pardigma);
}

void WhereTreeViewControl::CreateConditionNode(TypeOfLogic TypeLogic,
                                               const std::u16string& Pardigma) {
  try {
    if (tree_.Nodes().Count() == 1) {
      // Only the root: it becomes the insertion point without any click.
      const NodeRef root = tree_.Nodes().Item(1);
      tree_.SelectedItem(root);
      tree_.DropHighlight(root);
      CurrentNode() = root;
    } else if (!CurrentNode()) {
      return;
    }
    const NodeRef current = CurrentNode();
    const std::u16string key = ConditionKey(IncrementNodeCounter(node_counter_));
    const auto image = CheckInt16(static_cast<std::int32_t>(TypeLogic), "the condition's image");
    NodeRef node;
    if (IsLevelNode(*current)) {
      // The first member of a level has no connective.
      node = current->Children() == 0
                 ? tree_.Nodes().AddChild(current->Key(), key, Pardigma)
                 : tree_.Nodes().AddChild(current->Key(), key, Pardigma, image);
    } else {
      // A condition is current: the new one follows at the end of its level.
      const NodeRef parent = current->Parent();
      if (!parent) return;
      node = tree_.Nodes().AddChild(parent->Key(), key, Pardigma, image);
    }
    node->EnsureVisible();
  } catch (const Error&) {
    // Adding a condition clears its failures silently.
  }
}

std::u16string WhereTreeViewControl::DeleteNode() {
  try {
    if (tree_.Nodes().Count() < 2) return u"";
    const NodeRef current = CurrentNode();
    if (!current) throw Error::NoObject("no node is current");
    if (!current->Parent()) return u"";
    std::u16string text = current->Text();
    // A node of another control's tree is not removed from this one: RemoveTreeNode refuses it.
    RemoveTreeNode(current, tree_);
    return text;
  } catch (const Error&) {
    message_box_->Show(u"Node isn't deleted !", u"Attention ", MessageIcon::critical);
    return u"";
  }
}

void WhereTreeViewControl::ReplaceAliasName(const std::u16string& OldAliasName,
                                            const std::u16string& NewAliasName) {
  ReplaceAliasInNodes(OldAliasName, NewAliasName, tree_);
}

}  // namespace wheretree
