#pragma once

// WhereTreeViewControl: shows a WHERE clause as a condition tree, lets the user edit it, loads a
// WHERE text while taking its join conditions out as connections, and writes the tree back.
//
//   wheretree::WhereTreeViewControl control;          // run mode: the tree has its root
//   std::u16string where = u"e.dept_id = d.id(+) And e.sal > 100";
//   std::u16string aml = control.LoadWhereString(where, tables_aml);   // where is now ""
//   std::u16string rest = control.CreateWhereString(2);   // "\r\n  e.sal > 100"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "control/condition_tree.h"
#include "control/image_list.h"
#include "control/platform.h"
#include "control/tree_view.h"

namespace wheretree {

/// Events the control raises to its host. Arguments passed by reference can be changed by the
/// handler; the control uses the changed values (a non-zero Cancel vetoes a label edit, a changed
/// NewString becomes the label).
struct WhereTreeViewEvents {
  std::function<void(std::int16_t& Button, std::int16_t& Shift, float& x, float& y)> MouseDown;
  std::function<void(std::int16_t& Button, std::int16_t& Shift, float& x, float& y)> MouseUp;
  std::function<void(const NodeRef& Node)> NodeClick;
  std::function<void(std::int16_t& Cancel, std::u16string& NewString)> AfterLabelEdit;
  std::function<void(std::int16_t& Cancel)> BeforeLabelEdit;
};

/// The control's child controls: the tree widget and the built-in image list.
struct ControlCollection {
  TreeView* TvWhere;
  std::shared_ptr<ImageList> ImageListWhere;
  std::int32_t Count() const noexcept { return 2; }
};

/// Mouse buttons as the tree reports them.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;

class WhereTreeViewControl {
 public:
  /// Services default to the headless ones; pass a site to choose run or design mode. The
  /// control starts as a container would create it: ReadProperties from an empty bag, so in run
  /// mode the tree has its root.
  explicit WhereTreeViewControl(std::shared_ptr<ControlSite> site = nullptr,
                                std::shared_ptr<MessageBox> message_box = nullptr);
  /// Creates the control without reading properties (the host calls ReadProperties itself).
  struct Uninitialised {};
  WhereTreeViewControl(Uninitialised, std::shared_ptr<ControlSite> site = nullptr,
                       std::shared_ptr<MessageBox> message_box = nullptr);
  /// Termination: the shared current node is cleared.
  ~WhereTreeViewControl();
  WhereTreeViewControl(const WhereTreeViewControl&) = delete;
  WhereTreeViewControl& operator=(const WhereTreeViewControl&) = delete;

  // ---- Public methods -------------------------------------------------------------------------

  /// Renames a table alias in every node text: a piece equal to OldAliasName (letter case and
  /// surrounding spaces ignored) followed by "." becomes NewAliasName. Every text is re-joined,
  /// changed or not. Failures reach the caller.
  ///   "a.x = b.y" with a -> c gives "c.x = b.y"; " A .X = 1" gives "c.X = 1"
  void ReplaceAliasName(const std::u16string& OldAliasName, const std::u16string& NewAliasName);

  /// Prunes empty levels, then writes the tree as WHERE text, the root's members indented by
  /// `sdvig` spaces. A tree without nodes fails with out_of_range.
  std::u16string CreateWhereString(std::int16_t sdvig = 0);

  /// Adds a level at the current node (see CreateLevelNode); TypeLogic may be rewritten.
  void AddLevel(TypeOfLogic& TypeLogic);

  /// Adds a condition with text Pardigma at the current node; nothing when Pardigma is "".
  void AddNode(const std::u16string& Pardigma, TypeOfLogic TypeLogic);

  /// Removes the current node with its subtree and returns its text ("" for a level, for the
  /// root, or on failure; a failure shows "Node isn't deleted !").
  std::u16string DeleteNode();

  /// Repaints the control.
  void Refresh();

  /// Loads a WHERE text (without the word WHERE) and returns the joins taken out of it as an AML
  /// connection list. InputWhereString is consumed (empty on return). inAmlTablePoles is the AML
  /// table list of the query. A failure leaves the tree as far as the load got and reaches the
  /// caller as wheretree::Error.
  std::u16string LoadWhereString(std::u16string& InputWhereString,
                                 const std::u16string& inAmlTablePoles = u"");

  // ---- Properties -----------------------------------------------------------------------------

  float Indentation() const;
  void Indentation(float value);
  std::intptr_t hWnd() const;
  std::int32_t LabelEdit() const;
  void LabelEdit(std::int32_t value);
  ControlCollection Controls();
  std::shared_ptr<wheretree::ImageList> ImageList() const;
  /// nullptr binds the built-in ImageListWhere again.
  void ImageList(std::shared_ptr<wheretree::ImageList> list);

  WhereTreeViewEvents& Events() noexcept { return events_; }

  // ---- Container lifecycle --------------------------------------------------------------------

  /// Restores the three persisted properties ("Indentation" 200, "LabelEdit" 0, "ImageList"
  /// ImageListWhere); in run mode first creates the root.
  void ReadProperties(PropertyBag& bag);
  /// Stores the three properties; a value equal to its default is not stored.
  void WriteProperties(PropertyBag& bag);
  /// The control was resized: the tree fills it. Failures are ignored.
  void Resize(float width, float height);

  // ---- Tree events: the front end (or a test) reports what happened on the tree ----------------

  void TvWhere_Click();
  void TvWhere_DblClick();
  void TvWhere_NodeClick(const NodeRef& Node);
  void TvWhere_MouseDown(std::int16_t Button, std::int16_t Shift, float x, float y);
  void TvWhere_MouseUp(std::int16_t Button, std::int16_t Shift, float x, float y);
  void TvWhere_BeforeLabelEdit(std::int16_t& Cancel);
  void TvWhere_AfterLabelEdit(std::int16_t& Cancel, std::u16string& NewString);
  /// A drag starts on the tree: allowed effects become 1 (copy only).
  void TvWhere_OLEStartDrag(std::int32_t& AllowedEffects);
  /// A drag moves over the tree at (x, y).
  void TvWhere_OLEDragOver(float x, float y);
  /// A drop on the tree: the texts of the drop-highlighted node and of the node the drag started
  /// on are exchanged when both are non-empty.
  void TvWhere_OLEDragDrop(float x, float y);

  /// The tree widget's own label editing: BeginLabelEdit asks the host (BeforeLabelEdit) and
  /// answers whether the edit may start; EndLabelEdit asks the host (AfterLabelEdit) and, unless
  /// vetoed, stores the (possibly changed) text. With LabelEdit 1 (manual) a user may not start
  /// an edit; the host may (by_user false).
  bool BeginLabelEdit(const NodeRef& node, bool by_user = true);
  bool EndLabelEdit(const NodeRef& node, std::u16string NewString);

  // ---- State, for front ends and tests ---------------------------------------------------------

  TreeView& TvWhere() noexcept { return tree_; }
  const TreeView& TvWhere() const noexcept { return tree_; }
  std::shared_ptr<wheretree::ImageList> ImageListWhere() const { return image_list_where_; }
  std::int32_t NodeCounter() const noexcept { return node_counter_; }
  std::int16_t MouseButton() const noexcept { return mouse_button_; }
  NodeRef MouseNode() const { return mouse_node_; }
  bool IsDragging() const noexcept { return is_dragging_; }
  ControlSite& Site() noexcept { return *site_; }
  MessageBox& Messages() noexcept { return *message_box_; }

 private:
  void CreateConditionNode(TypeOfLogic TypeLogic, const std::u16string& Pardigma);

  std::shared_ptr<ControlSite> site_;
  std::shared_ptr<MessageBox> message_box_;
  std::shared_ptr<wheretree::ImageList> image_list_where_;
  TreeView tree_;
  std::int32_t node_counter_ = 0;
  std::int16_t mouse_button_ = 0;
  NodeRef mouse_node_;
  bool is_dragging_ = false;
  WhereTreeViewEvents events_;
};

}  // namespace wheretree
