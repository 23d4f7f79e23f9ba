#pragma once

// The headless tree widget that holds the condition tree: ordered children, 1-based creation-order
// indexes that close up after a removal, subtree removal, unique keys, a tag per node (empty, a
// 16-bit number or text) and an optional image number. Front ends mirror it through TreeObserver.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "common/error.h"
#include "control/node_key_index.h"

namespace wheretree {

class TreeView;
class TreeNode;
class ImageList;

/// A shared reference to a node. A node that was removed from its tree stays a valid object, but
/// reading or writing any of its properties then fails with Error(no_object).
using NodeRef = std::shared_ptr<TreeNode>;

/// The tag of a node: empty, a 16-bit whole number, or text.
///   TagValue(std::int16_t{-1}).Equals(-1) == true, TagValue(u"-1").Equals(-1) == true
class TagValue {
 public:
  TagValue() = default;
  TagValue(std::int16_t number) : value_(number) {}           // NOLINT: implicit like a variant
  TagValue(std::u16string text) : value_(std::move(text)) {}  // NOLINT
  TagValue(const char16_t* text) : value_(std::u16string(text)) {}  // NOLINT

  bool IsEmpty() const noexcept { return std::holds_alternative<std::monostate>(value_); }
  bool IsNumber() const noexcept { return std::holds_alternative<std::int16_t>(value_); }
  bool IsText() const noexcept { return std::holds_alternative<std::u16string>(value_); }
  std::int16_t Number() const { return std::get<std::int16_t>(value_); }
  const std::u16string& Text() const { return std::get<std::u16string>(value_); }

  /// Variant comparison with a number: a stored number equal to it, or stored text that is exactly
  /// its decimal form. An empty tag equals nothing here.
  bool Equals(std::int32_t number) const;

  friend bool operator==(const TagValue&, const TagValue&) = default;

 private:
  std::variant<std::monostate, std::int16_t, std::u16string> value_;
};

/// What changed on a node, for observers.
enum class NodeChange { text, image, tag, expanded };

/// Receives every change of a TreeView, so a view can mirror it without polling. Structural changes
/// come in pairs (about to / done), as item models need them. Rows are 0-based among siblings;
/// `parent` is nullptr for a top-level node.
class TreeObserver {
 public:
  virtual ~TreeObserver() = default;
  virtual void NodeAboutToBeInserted(const TreeNode* /*parent*/, int /*row*/) {}
  virtual void NodeInserted(const NodeRef& /*node*/) {}
  virtual void NodeAboutToBeRemoved(const TreeNode* /*parent*/, int /*row*/, const NodeRef&) {}
  virtual void NodeRemoved(const TreeNode* /*parent*/, int /*row*/) {}
  virtual void NodeChanged(const NodeRef& /*node*/, NodeChange /*what*/) {}
  virtual void AboutToClear() {}
  virtual void Cleared() {}
  virtual void SelectionChanged(const NodeRef& /*node*/) {}
  virtual void DropHighlightChanged(const NodeRef& /*node*/) {}
  virtual void VisibilityRequested(const NodeRef& /*node*/) {}
  virtual void PropertiesChanged() {}  ///< Indentation, LabelEdit or ImageList
};

/// One node of a TreeView. Created only by TreeView::Nodes().
class TreeNode : public std::enable_shared_from_this<TreeNode> {
 public:
  TreeNode(const TreeNode&) = delete;
  TreeNode& operator=(const TreeNode&) = delete;

  const std::u16string& Key() const {
    CheckAlive();
    return key_;
  }
  const std::u16string& Text() const {
    CheckAlive();
    return text_;
  }
  void Text(std::u16string value);
  const TagValue& Tag() const {
    CheckAlive();
    return tag_;
  }
  void Tag(TagValue value);
  /// The image number, or nothing for a node without image.
  std::optional<std::int16_t> Image() const {
    CheckAlive();
    return image_;
  }
  void Image(std::optional<std::int16_t> value);
  /// 1-based position in the tree's node collection (creation order; closes up after removals).
  std::int16_t Index() const;
  NodeRef Parent() const;
  NodeRef Child() const;  ///< the first child
  NodeRef Next() const;
  NodeRef Previous() const;
  std::int16_t Children() const {
    CheckAlive();
    return static_cast<std::int16_t>(children_);
  }
  /// The same links as plain pointers (nullptr for none), without taking a reference: for walks
  /// over a tree that keeps its nodes while they run. ParentNode() is nullptr for a top-level
  /// node, like Parent().
  TreeNode* ChildNode() const {
    CheckAlive();
    return first_child_;
  }
  TreeNode* NextNode() const {
    CheckAlive();
    return next_;
  }
  TreeNode* PreviousNode() const {
    CheckAlive();
    return prev_;
  }
  TreeNode* ParentNode() const;
  bool Expanded() const;
  void Expanded(bool value);
  /// Expands every ancestor and asks the views to scroll to the node.
  void EnsureVisible();

  /// 0-based position among its siblings; the n-th child (0-based) or nullptr.
  int Row() const;
  NodeRef ChildAt(int row) const;
  /// The tree holding the node, or nullptr once the node was removed.
  TreeView* Tree() const noexcept { return tree_; }
  bool IsRemoved() const noexcept { return tree_ == nullptr; }

 private:
  friend class TreeView;
  friend class TreeNodes;
  friend class NodeKeyIndex;
  struct Private {};

 public:
  TreeNode(Private, TreeView* tree, std::u16string key, std::u16string text,
           std::optional<std::int16_t> image);

 private:
  void CheckAlive() const {
    if (tree_ == nullptr) [[unlikely]]
      ThrowRemoved();
  }
  [[noreturn]] void ThrowRemoved() const;
  NodeRef Ref(TreeNode* node) const { return node ? node->shared_from_this() : nullptr; }

  TreeView* tree_;
  std::u16string key_;
  std::u16string text_;
  TagValue tag_;
  std::optional<std::int16_t> image_;
  bool expanded_ = false;
  TreeNode* parent_ = nullptr;
  TreeNode* first_child_ = nullptr;
  TreeNode* last_child_ = nullptr;
  TreeNode* prev_ = nullptr;
  TreeNode* next_ = nullptr;
  std::int32_t children_ = 0;
  std::size_t slot_ = 0;  // position in the tree's creation-order list (may hold gaps)
};

/// The node collection of a tree: `Nodes` of the widget.
class TreeNodes {
 public:
  /// Appends a top-level node (the root of the condition tree is made so).
  ///   tree.Nodes().Add(u"LP_1", u"", 6)
  NodeRef Add(std::u16string key, std::u16string text, std::optional<std::int16_t> image = {});
  /// Appends a new last child of the node with key `relative_key`; out_of_range when no node
  /// has that key.
  NodeRef AddChild(std::u16string_view relative_key, std::u16string key, std::u16string text,
                   std::optional<std::int16_t> image = {});
  NodeRef AddChild(const NodeRef& parent, std::u16string key, std::u16string text,
                   std::optional<std::int16_t> image = {});
  /// The same without handing out a reference: the new node, owned by the tree (for builders
  /// that add many nodes and keep none). It stays valid while the tree holds it.
  TreeNode& AddChildNode(TreeNode& parent, std::u16string key, std::u16string text,
                         std::optional<std::int16_t> image = {});
  /// Removes the node at 1-based `index` with its whole subtree; the indexes above close up.
  void Remove(std::int32_t index);
  /// Removes `node` with its subtree; no_object when it is no longer in this tree.
  void Remove(const NodeRef& node);
  void Clear();
  std::int16_t Count() const;
  /// The node at 1-based `index` (out_of_range outside 1..Count), or with `key`.
  NodeRef Item(std::int32_t index) const;
  NodeRef Item(std::u16string_view key) const;
  /// Every node in index order.
  std::vector<NodeRef> All() const;
  /// Calls `visit(TreeNode&)` for every node in index order, without taking references; `visit`
  /// must not add or remove nodes.
  template <typename Visit>
  void ForEach(Visit&& visit) const;

 private:
  friend class TreeView;
  explicit TreeNodes(TreeView& tree) : tree_(tree) {}
  TreeView& tree_;
};

/// The tree widget: nodes, selection, drop highlight, hit testing and the look-and-feel
/// properties the control passes through.
class TreeView {
 public:
  TreeView();
  ~TreeView();
  TreeView(const TreeView&) = delete;
  TreeView& operator=(const TreeView&) = delete;

  TreeNodes& Nodes() noexcept { return nodes_; }
  const TreeNodes& Nodes() const noexcept { return nodes_; }

  NodeRef SelectedItem() const { return selected_; }
  void SelectedItem(const NodeRef& node);
  NodeRef DropHighlight() const { return drop_highlight_; }
  void DropHighlight(const NodeRef& node);

  /// The node at point (x, y), or nullptr. Headless: the visible nodes (those whose ancestors are
  /// all expanded) stand in rows of RowHeight() from y = 0 down, top to bottom; any x >= 0 hits.
  /// A front end that draws the tree installs its own geometry with SetHitTester().
  NodeRef HitTest(float x, float y) const;
  void SetHitTester(std::function<NodeRef(float x, float y)> hit_tester);
  float RowHeight() const noexcept { return row_height_; }
  void RowHeight(float height);
  /// The visible nodes in display order (pre-order, children of collapsed nodes left out).
  std::vector<NodeRef> VisibleNodes() const;

  /// Places the widget inside its control (headless: only remembered).
  void Move(float left, float top, float width, float height);
  struct Geometry {
    float left, top, width, height;
  };
  Geometry Placement() const noexcept { return geometry_; }

  float Indentation() const noexcept { return indentation_; }
  void Indentation(float value);
  std::int32_t LabelEdit() const noexcept { return label_edit_; }
  void LabelEdit(std::int32_t value);
  std::shared_ptr<wheretree::ImageList> ImageList() const { return image_list_; }
  void ImageList(std::shared_ptr<wheretree::ImageList> list);

  /// Observers are not owned; remove one before it is destroyed.
  void AddObserver(TreeObserver* observer);
  void RemoveObserver(TreeObserver* observer);

 private:
  friend class TreeNode;
  friend class TreeNodes;

  // The new node, owned by the tree; also a reference to it in `keep` when that is given.
  TreeNode& Insert(TreeNode* parent, std::u16string key, std::u16string text,
                   std::optional<std::int16_t> image, NodeRef* keep);
  void Detach(TreeNode* node);
  void Compact() const;
  template <typename F>
  void Notify(F&& f) const {
    for (auto* o : observers_) f(*o);
  }

  TreeNodes nodes_{*this};
  TreeNode top_;  // hidden parent of the top-level nodes
  // Creation order; removed nodes leave nullptr gaps until the next Compact().
  mutable std::vector<NodeRef> order_;
  mutable bool has_gaps_ = false;
  std::int32_t count_ = 0;
  NodeKeyIndex by_key_;
  NodeRef selected_;
  NodeRef drop_highlight_;
  std::function<NodeRef(float, float)> hit_tester_;
  float row_height_ = 16.0F;
  Geometry geometry_{0, 0, 0, 0};
  float indentation_ = 200.0F;
  std::int32_t label_edit_ = 0;
  std::shared_ptr<wheretree::ImageList> image_list_;
  std::vector<TreeObserver*> observers_;
};

template <typename Visit>
void TreeNodes::ForEach(Visit&& visit) const {
  tree_.Compact();
  for (const NodeRef& node : tree_.order_) visit(*node);
}

}  // namespace wheretree
