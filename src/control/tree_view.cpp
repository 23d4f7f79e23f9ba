#include "control/tree_view.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>

#include "common/text.h"

namespace wheretree {

bool TagValue::Equals(std::int32_t number) const {
  if (IsNumber()) return Number() == number;
  if (!IsText()) return false;
  // The text must be exactly the number's decimal form; compared without building that text,
  // as every level check of a tree walk comes here.
  char digits[16];
  const char* end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
  const std::u16string& text = Text();
  return std::equal(text.begin(), text.end(), static_cast<const char*>(digits), end,
                    [](char16_t a, char b) { return a == static_cast<char16_t>(b); });
}

// ---------------------------------------------------------------------------------------------
// TreeNode

TreeNode::TreeNode(Private, TreeView* tree, std::u16string key, std::u16string text,
                   std::optional<std::int16_t> image)
    : tree_(tree), key_(std::move(key)), text_(std::move(text)), image_(image) {}

void TreeNode::ThrowRemoved() const {
  throw Error::NoObject("the tree node" + (key_.empty() ? std::string() : " " + ToUtf8(key_)) +
                        " was removed from the tree");
}

void TreeNode::Text(std::u16string value) {
  CheckAlive();
  text_ = std::move(value);
  tree_->Notify([&](TreeObserver& o) { o.NodeChanged(shared_from_this(), NodeChange::text); });
}

void TreeNode::Tag(TagValue value) {
  CheckAlive();
  tag_ = std::move(value);
  tree_->Notify([&](TreeObserver& o) { o.NodeChanged(shared_from_this(), NodeChange::tag); });
}

void TreeNode::Image(std::optional<std::int16_t> value) {
  CheckAlive();
  image_ = value;
  tree_->Notify([&](TreeObserver& o) { o.NodeChanged(shared_from_this(), NodeChange::image); });
}

std::int16_t TreeNode::Index() const {
  CheckAlive();
  tree_->Compact();
  return static_cast<std::int16_t>(slot_ + 1);
}

NodeRef TreeNode::Parent() const {
  CheckAlive();
  return parent_ == &tree_->top_ ? nullptr : Ref(parent_);
}

TreeNode* TreeNode::ParentNode() const {
  CheckAlive();
  return parent_ == &tree_->top_ ? nullptr : parent_;
}

NodeRef TreeNode::Child() const {
  CheckAlive();
  return Ref(first_child_);
}

NodeRef TreeNode::Next() const {
  CheckAlive();
  return Ref(next_);
}

NodeRef TreeNode::Previous() const {
  CheckAlive();
  return Ref(prev_);
}

bool TreeNode::Expanded() const {
  CheckAlive();
  return expanded_;
}

void TreeNode::Expanded(bool value) {
  CheckAlive();
  if (expanded_ == value) return;
  expanded_ = value;
  tree_->Notify([&](TreeObserver& o) { o.NodeChanged(shared_from_this(), NodeChange::expanded); });
}

void TreeNode::EnsureVisible() {
  CheckAlive();
  for (TreeNode* p = parent_; p != nullptr && p != &tree_->top_; p = p->parent_) p->Expanded(true);
  tree_->Notify([&](TreeObserver& o) { o.VisibilityRequested(shared_from_this()); });
}

int TreeNode::Row() const {
  CheckAlive();
  int row = 0;
  for (const TreeNode* p = prev_; p != nullptr; p = p->prev_) ++row;
  return row;
}

NodeRef TreeNode::ChildAt(int row) const {
  CheckAlive();
  if (row < 0 || row >= children_) return nullptr;
  TreeNode* c = nullptr;
  if (row <= children_ / 2) {
    c = first_child_;
    for (int i = 0; i < row; ++i) c = c->next_;
  } else {
    c = last_child_;
    for (int i = children_ - 1; i > row; --i) c = c->prev_;
  }
  return Ref(c);
}

// ---------------------------------------------------------------------------------------------
// TreeNodes

NodeRef TreeNodes::Add(std::u16string key, std::u16string text, std::optional<std::int16_t> image) {
  NodeRef added;
  tree_.Insert(&tree_.top_, std::move(key), std::move(text), image, &added);
  return added;
}

NodeRef TreeNodes::AddChild(std::u16string_view relative_key, std::u16string key,
                            std::u16string text, std::optional<std::int16_t> image) {
  TreeNode* const parent = tree_.by_key_.Find(relative_key);
  if (parent == nullptr) {
    throw Error::OutOfRange("no tree node has the key \"" + ToUtf8(relative_key) + "\"");
  }
  NodeRef added;
  tree_.Insert(parent, std::move(key), std::move(text), image, &added);
  return added;
}

NodeRef TreeNodes::AddChild(const NodeRef& parent, std::u16string key, std::u16string text,
                            std::optional<std::int16_t> image) {
  if (!parent) throw Error::NoObject("a child node needs a parent node, and none was given");
  parent->CheckAlive();
  if (parent->tree_ != &tree_) throw Error::InvalidArgument("the parent node is in another tree");
  NodeRef added;
  tree_.Insert(parent.get(), std::move(key), std::move(text), image, &added);
  return added;
}

TreeNode& TreeNodes::AddChildNode(TreeNode& parent, std::u16string key, std::u16string text,
                                  std::optional<std::int16_t> image) {
  parent.CheckAlive();
  if (parent.tree_ != &tree_) throw Error::InvalidArgument("the parent node is in another tree");
  return tree_.Insert(&parent, std::move(key), std::move(text), image, nullptr);
}

void TreeNodes::Remove(std::int32_t index) {
  Remove(Item(index));
}

void TreeNodes::Remove(const NodeRef& node) {
  if (!node) throw Error::NoObject("no tree node was given to remove");
  node->CheckAlive();
  if (node->tree_ != &tree_) throw Error::InvalidArgument("the node belongs to another tree");
  tree_.Detach(node.get());
}

void TreeNodes::Clear() {
  tree_.Notify([](TreeObserver& o) { o.AboutToClear(); });
  for (auto& n : tree_.order_) {
    if (n) n->tree_ = nullptr;
  }
  tree_.order_.clear();
  tree_.has_gaps_ = false;
  tree_.count_ = 0;
  tree_.by_key_.Clear();
  tree_.top_.first_child_ = tree_.top_.last_child_ = nullptr;
  tree_.top_.children_ = 0;
  tree_.selected_ = nullptr;
  tree_.drop_highlight_ = nullptr;
  tree_.Notify([](TreeObserver& o) { o.Cleared(); });
}

std::int16_t TreeNodes::Count() const {
  return static_cast<std::int16_t>(tree_.count_);
}

NodeRef TreeNodes::Item(std::int32_t index) const {
  if (index < 1 || index > tree_.count_) {
    throw Error::OutOfRange("tree node index " + std::to_string(index) + " is outside 1.." +
                            std::to_string(tree_.count_));
  }
  tree_.Compact();
  return tree_.order_[static_cast<std::size_t>(index - 1)];
}

NodeRef TreeNodes::Item(std::u16string_view key) const {
  TreeNode* const found = tree_.by_key_.Find(key);
  if (found == nullptr) {
    throw Error::OutOfRange("no tree node has the key \"" + ToUtf8(key) + "\"");
  }
  return found->shared_from_this();
}

std::vector<NodeRef> TreeNodes::All() const {
  tree_.Compact();
  return tree_.order_;
}

// ---------------------------------------------------------------------------------------------
// TreeView

TreeView::TreeView() : top_(TreeNode::Private{}, this, u"", u"", std::nullopt) {}

TreeView::~TreeView() {
  // Nodes the host still holds outlive the tree: they become removed nodes.
  for (auto& n : order_) {
    if (n) n->tree_ = nullptr;
  }
}

TreeNode& TreeView::Insert(TreeNode* parent, std::u16string key, std::u16string text,
                           std::optional<std::int16_t> image, NodeRef* keep) {
  if (count_ >= kMaxInt16) {
    throw Error::Overflow("the tree already holds 32767 nodes, the most it can hold");
  }
  const auto duplicate = [](std::u16string_view taken) {
    return Error::DuplicateKey("the key \"" + ToUtf8(taken) + "\" is already used by a tree node");
  };
  // Observers hear of an insertion only when it will happen: the key is checked first. Without
  // observers the index's own check, when the node is indexed, is enough.
  const bool observed = !observers_.empty();
  if (observed && by_key_.Find(key) != nullptr) throw duplicate(key);
  const TreeNode* notify_parent = parent == &top_ ? nullptr : parent;
  Notify([&](TreeObserver& o) { o.NodeAboutToBeInserted(notify_parent, parent->children_); });
  auto node =
      std::make_shared<TreeNode>(TreeNode::Private{}, this, std::move(key), std::move(text), image);
  if (order_.size() == order_.capacity()) order_.reserve(order_.empty() ? 16 : 2 * order_.size());
  if (!by_key_.Insert(node.get())) {
    if (!observed) throw duplicate(node->key_);
    // An observer added a node with this key while being told about this one.
    throw Error::DuplicateKey("the key \"" + ToUtf8(node->key_) +
                              "\" was taken by another tree node while this one was added");
  }
  node->parent_ = parent;
  node->prev_ = parent->last_child_;
  if (parent->last_child_ != nullptr) {
    parent->last_child_->next_ = node.get();
  } else {
    parent->first_child_ = node.get();
  }
  parent->last_child_ = node.get();
  ++parent->children_;
  node->slot_ = order_.size();
  TreeNode* const added = node.get();
  order_.push_back(std::move(node));
  ++count_;
  // A reference is taken only for observers or a caller that wants one (an observer may add
  // nodes, which moves the list).
  if (!observers_.empty() || keep != nullptr) {
    NodeRef ref = order_.back();
    Notify([&](TreeObserver& o) { o.NodeInserted(ref); });
    if (keep != nullptr) *keep = std::move(ref);
  }
  return *added;
}

void TreeView::Detach(TreeNode* node) {
  TreeNode* parent = node->parent_;
  const TreeNode* notify_parent = parent == &top_ ? nullptr : parent;
  const NodeRef keep = node->shared_from_this();
  int row = -1;
  if (!observers_.empty()) {
    row = node->Row();
    Notify([&](TreeObserver& o) { o.NodeAboutToBeRemoved(notify_parent, row, keep); });
  }
  // Unlink from the siblings.
  (node->prev_ ? node->prev_->next_ : parent->first_child_) = node->next_;
  (node->next_ ? node->next_->prev_ : parent->last_child_) = node->prev_;
  --parent->children_;
  node->prev_ = node->next_ = nullptr;
  node->parent_ = nullptr;

  // Mark the whole subtree removed, without recursion (the tree may be thousands deep).
  bool selection_gone = false;
  bool highlight_gone = false;
  // The removed nodes stay alive until the walk is over: it follows their links. A lone node
  // (the common case) is kept alive by `keep`.
  std::vector<NodeRef> removed;
  TreeNode* n = node;
  if (n->first_child_ == nullptr) {
    if (selected_.get() == n) selection_gone = true;
    if (drop_highlight_.get() == n) highlight_gone = true;
    by_key_.Erase(n);
    order_[n->slot_] = nullptr;
    --count_;
    n->tree_ = nullptr;
    n = nullptr;
  }
  while (n != nullptr) {
    if (selected_.get() == n) selection_gone = true;
    if (drop_highlight_.get() == n) highlight_gone = true;
    by_key_.Erase(n);
    removed.push_back(std::move(order_[n->slot_]));
    --count_;
    n->tree_ = nullptr;
    // Next in pre-order within the subtree: first child, else the next sibling of the nearest
    // ancestor (up to the removed node) that has one.
    if (n->first_child_ != nullptr) {
      n = n->first_child_;
      continue;
    }
    while (n != node && n->next_ == nullptr) n = n->parent_;
    n = (n == node) ? nullptr : n->next_;
  }
  has_gaps_ = true;
  if (selection_gone) SelectedItem(nullptr);
  if (highlight_gone) DropHighlight(nullptr);
  Notify([&](TreeObserver& o) { o.NodeRemoved(notify_parent, row); });
}

void TreeView::Compact() const {
  if (!has_gaps_) return;
  std::size_t out = 0;
  for (auto& n : order_) {
    if (!n) continue;
    n->slot_ = out;
    order_[out++] = std::move(n);
  }
  order_.resize(out);
  has_gaps_ = false;
}

void TreeView::SelectedItem(const NodeRef& node) {
  if (node) node->CheckAlive();
  if (selected_ == node) return;
  selected_ = node;
  Notify([&](TreeObserver& o) { o.SelectionChanged(node); });
}

void TreeView::DropHighlight(const NodeRef& node) {
  if (node) node->CheckAlive();
  if (drop_highlight_ == node) return;
  drop_highlight_ = node;
  Notify([&](TreeObserver& o) { o.DropHighlightChanged(node); });
}

std::vector<NodeRef> TreeView::VisibleNodes() const {
  std::vector<NodeRef> out;
  const TreeNode* n = top_.first_child_;
  while (n != nullptr) {
    out.push_back(std::const_pointer_cast<TreeNode>(n->shared_from_this()));
    if (n->expanded_ && n->first_child_ != nullptr) {
      n = n->first_child_;
      continue;
    }
    while (n != nullptr && n->next_ == nullptr) {
      n = n->parent_ == &top_ ? nullptr : n->parent_;
    }
    if (n != nullptr) n = n->next_;
  }
  return out;
}

NodeRef TreeView::HitTest(float x, float y) const {
  if (hit_tester_) return hit_tester_(x, y);
  if (x < 0 || y < 0 || row_height_ <= 0) return nullptr;
  const auto row = static_cast<std::size_t>(y / row_height_);
  auto visible = VisibleNodes();
  return row < visible.size() ? visible[row] : nullptr;
}

void TreeView::SetHitTester(std::function<NodeRef(float, float)> hit_tester) {
  hit_tester_ = std::move(hit_tester);
}

void TreeView::RowHeight(float height) {
  row_height_ = height;
}

void TreeView::Move(float left, float top, float width, float height) {
  if (width < 0 || height < 0) {
    throw Error::InvalidArgument("a tree cannot have a negative width or height");
  }
  geometry_ = {left, top, width, height};
}

void TreeView::Indentation(float value) {
  indentation_ = value;
  Notify([](TreeObserver& o) { o.PropertiesChanged(); });
}

void TreeView::LabelEdit(std::int32_t value) {
  label_edit_ = value;
  Notify([](TreeObserver& o) { o.PropertiesChanged(); });
}

void TreeView::ImageList(std::shared_ptr<wheretree::ImageList> list) {
  image_list_ = std::move(list);
  Notify([](TreeObserver& o) { o.PropertiesChanged(); });
}

void TreeView::AddObserver(TreeObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
  }
}

void TreeView::RemoveObserver(TreeObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace wheretree
