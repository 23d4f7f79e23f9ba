// The tree's events as the control handles them: selection, the And/Or toggle on a right
// double-click, swapping two conditions by drag and drop, and label editing.
#include "control/where_tree_view_control.h"

namespace wheretree {

void WhereTreeViewControl::TvWhere_Click() {
  CurrentNode() = tree_.SelectedItem();
}

void WhereTreeViewControl::TvWhere_NodeClick(const NodeRef& Node) {
  if (events_.NodeClick) events_.NodeClick(Node);
  tree_.DropHighlight(tree_.SelectedItem());
}

void WhereTreeViewControl::TvWhere_MouseDown(std::int16_t Button, std::int16_t Shift, float x,
                                             float y) {
  if (events_.MouseDown) events_.MouseDown(Button, Shift, x, y);
  mouse_button_ = Button;
  mouse_node_ = tree_.HitTest(x, y);
  // The root is never a gesture's target.
  if (mouse_node_ && mouse_node_->Image() == static_cast<std::int16_t>(TypeOfLogic::LevelWhere)) {
    mouse_node_ = nullptr;
  }
}

void WhereTreeViewControl::TvWhere_MouseUp(std::int16_t Button, std::int16_t Shift, float x,
                                           float y) {
  if (events_.MouseUp) events_.MouseUp(Button, Shift, x, y);
}

void WhereTreeViewControl::TvWhere_DblClick() {
  if (mouse_button_ != kRightButton) return;
  try {
    if (!mouse_node_) return;
    // And and Or swap, for levels (2, 3) and conditions (4, 5) alike.
    switch (mouse_node_->Image().value_or(0)) {
      case 2:
        mouse_node_->Image(std::int16_t{3});
        break;
      case 3:
        mouse_node_->Image(std::int16_t{2});
        break;
      case 4:
        mouse_node_->Image(std::int16_t{5});
        break;
      case 5:
        mouse_node_->Image(std::int16_t{4});
        break;
      default:
        break;
    }
  } catch (const Error&) {
    // The toggle clears its failures silently (e.g. the node was removed meanwhile).
  }
}

void WhereTreeViewControl::TvWhere_BeforeLabelEdit(std::int16_t& Cancel) {
  if (events_.BeforeLabelEdit) events_.BeforeLabelEdit(Cancel);
}

void WhereTreeViewControl::TvWhere_AfterLabelEdit(std::int16_t& Cancel, std::u16string& NewString) {
  if (events_.AfterLabelEdit) events_.AfterLabelEdit(Cancel, NewString);
}

void WhereTreeViewControl::TvWhere_OLEStartDrag(std::int32_t& AllowedEffects) {
  AllowedEffects = 1;
  is_dragging_ = true;
}

void WhereTreeViewControl::TvWhere_OLEDragOver(float x, float y) {
  if (is_dragging_) tree_.DropHighlight(tree_.HitTest(x, y));
}

void WhereTreeViewControl::TvWhere_OLEDragDrop(float /*x*/, float /*y*/) {
  try {
    const NodeRef target = tree_.DropHighlight();
    if (!target || !mouse_node_) throw Error::NoObject("no drop target or no dragged node");
    // Only the texts change places: images, tags, keys and positions stay, so each position
    // keeps its connective. Levels have no text and are never exchanged.
    if (!target->Text().empty() && !mouse_node_->Text().empty()) {
      std::u16string dropped = mouse_node_->Text();
      mouse_node_->Text(target->Text());
      target->Text(std::move(dropped));
      tree_.SelectedItem(target);
    }
  } catch (const Error&) {
    // A drop clears its failures; the drag is over in every case.
  }
  is_dragging_ = false;
}

bool WhereTreeViewControl::BeginLabelEdit(const NodeRef& node, bool by_user) {
  if (!node || node->IsRemoved()) return false;
  if (by_user && LabelEdit() != 0) return false;  // manual mode: only the host starts edits
  std::int16_t cancel = 0;
  TvWhere_BeforeLabelEdit(cancel);
  return cancel == 0;
}

bool WhereTreeViewControl::EndLabelEdit(const NodeRef& node, std::u16string NewString) {
  if (!node || node->IsRemoved()) return false;
  std::int16_t cancel = 0;
  TvWhere_AfterLabelEdit(cancel, NewString);
  if (cancel != 0) return false;
  node->Text(std::move(NewString));
  return true;
}

}  // namespace wheretree
