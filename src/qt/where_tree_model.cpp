#include "qt/where_tree_model.h"

#include <QCoreApplication>

using wheretree::NodeRef;
using wheretree::TreeNode;

namespace {

TreeNode* nodeOf(const QModelIndex& index) {
  auto* node = index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
  return node != nullptr && !node->IsRemoved() ? node : nullptr;
}

// What a node is, in the words a user of the tree knows: the root, a group or a condition, and
// the connective that joins it to the member before it.
QString describe(const TreeNode& node) {
  const int image = node.Image().value_or(0);
  if (wheretree::IsLevelNode(node)) {
    switch (image) {
      case 6:
        return QStringLiteral("WHERE: the members of the clause");
      case 2:
        return QStringLiteral("Group, joined with And to the member before it");
      case 3:
        return QStringLiteral("Group, joined with Or to the member before it");
      case 7:
        return QStringLiteral("Group without connective (the member before it was removed)");
      default:
        return QStringLiteral("Group, first member (no connective)");
    }
  }
  switch (image) {
    case 4:
      return QStringLiteral("Condition, joined with And to the member before it");
    case 5:
      return QStringLiteral("Condition, joined with Or to the member before it");
    case 7:
      return QStringLiteral("Condition without connective (the member before it was removed)");
    default:
      return QStringLiteral("Condition, first member (no connective)");
  }
}

}  // namespace

WhereTreeModel::WhereTreeModel(wheretree::WhereTreeViewControl& control, QObject* parent)
    : QAbstractItemModel(parent),
      m_control(control),
      m_tree(control.TvWhere()),
      m_dropHighlight(m_tree.DropHighlight()),
      m_imageList(m_tree.ImageList()) {
  if (m_tree.Nodes().Count() > 0) {
    // The first node in creation order is always a top-level one: a child needs an older parent.
    for (NodeRef n = m_tree.Nodes().Item(1); n; n = n->Next()) ++m_topLevelCount;
  }
  m_tree.AddObserver(this);
}

WhereTreeModel::~WhereTreeModel() {
  m_tree.RemoveObserver(this);
}

const std::vector<TreeNode*>& WhereTreeModel::childrenOf(const TreeNode* parent) const {
  auto [it, made] = m_children.try_emplace(parent);
  if (made) {
    NodeRef n = parent != nullptr            ? parent->Child()
                : m_tree.Nodes().Count() > 0 ? m_tree.Nodes().Item(1)
                                             : nullptr;
    for (; n; n = n->Next()) {
      m_rows[n.get()] = static_cast<int>(it->second.size());
      it->second.push_back(n.get());
    }
  }
  return it->second;
}

TreeNode* WhereTreeModel::childOf(const TreeNode* parent, int row) const {
  const auto& children = childrenOf(parent);
  return row >= 0 && row < static_cast<int>(children.size())
             ? children[static_cast<std::size_t>(row)]
             : nullptr;
}

int WhereTreeModel::rowOf(const TreeNode* node) const {
  if (const auto it = m_rows.find(node); it != m_rows.end()) return it->second;
  const NodeRef parent = node->Parent();
  childrenOf(parent.get());
  return m_rows.at(node);
}

QModelIndex WhereTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || (parent.isValid() && nodeOf(parent) == nullptr)) return {};
  TreeNode* child = childOf(nodeOf(parent), row);
  return child != nullptr ? createIndex(row, 0, child) : QModelIndex();
}

QModelIndex WhereTreeModel::parent(const QModelIndex& child) const {
  const TreeNode* node = nodeOf(child);
  if (node == nullptr) return {};
  const NodeRef p = node->Parent();
  return p ? createIndex(rowOf(p.get()), 0, p.get()) : QModelIndex();
}

int WhereTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return m_topLevelCount;
  if (parent.column() != 0) return 0;
  const TreeNode* node = nodeOf(parent);
  return node != nullptr ? node->Children() : 0;
}

int WhereTreeModel::columnCount(const QModelIndex& /*parent*/) const {
  return 1;
}

QVariant WhereTreeModel::data(const QModelIndex& index, int role) const {
  const TreeNode* node = nodeOf(index);
  if (node == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return QString::fromStdU16String(node->Text());
    case Qt::ToolTipRole:
      return describe(*node);
    case ImageRole:
      return node->Image() ? QVariant(int{*node->Image()}) : QVariant();
    case KeyRole:
      return QString::fromStdU16String(node->Key());
    case LevelRole:
      return wheretree::IsLevelNode(*node);
    case DropHighlightRole:
      return m_tree.DropHighlight().get() == node;
    default:
      return m_roleProvider ? m_roleProvider(*node, role) : QVariant();
  }
}

bool WhereTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  TreeNode* node = nodeOf(index);
  if (node == nullptr || role != Qt::EditRole) return false;
  // The host sees the new text first (AfterLabelEdit) and may veto or change it.
  return m_control.EndLabelEdit(node->shared_from_this(), value.toString().toStdU16String());
}

Qt::ItemFlags WhereTreeModel::flags(const QModelIndex& index) const {
  if (nodeOf(index) == nullptr)
    return Qt::ItemIsDropEnabled;  // a drop on empty space ends the drag
  Qt::ItemFlags flags =
      Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
  if (m_tree.LabelEdit() == 0 || m_hostEditing) flags |= Qt::ItemIsEditable;
  return flags;
}

QByteArray WhereTreeModel::treeIdentity() const {
  return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
         QByteArray::number(reinterpret_cast<quintptr>(&m_tree), 16);
}

QStringList WhereTreeModel::mimeTypes() const {
  return {mimeType(), QStringLiteral("text/plain")};
}

QMimeData* WhereTreeModel::mimeData(const QModelIndexList& indexes) const {
  QByteArray keys = treeIdentity();
  QStringList texts;
  for (const QModelIndex& index : indexes) {
    const TreeNode* node = nodeOf(index);
    if (node == nullptr) continue;
    keys += '\n' + QString::fromStdU16String(node->Key()).toUtf8();
    texts << QString::fromStdU16String(node->Text());
  }
  auto* data = new QMimeData;
  data->setData(mimeType(), keys);
  // Dropped elsewhere (a text editor), a dragged condition gives its text.
  data->setText(texts.join(QLatin1Char('\n')));
  return data;
}

bool WhereTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction /*action*/, int /*row*/,
                                     int /*column*/, const QModelIndex& /*parent*/) const {
  // A drag from another tree is refused: the control exchanges the dropped-on text with the node
  // the drag started on in its own tree, which would be an unrelated node.
  return data != nullptr && data->hasFormat(mimeType()) &&
         data->data(mimeType()).split('\n').value(0) == treeIdentity();
}

bool WhereTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                  const QModelIndex& parent) {
  if (!canDropMimeData(data, action, row, column, parent)) return false;
  const QModelIndex target = row < 0 ? parent : index(row, 0, parent);
  m_tree.DropHighlight(nodeAt(target));
  // The control works on the drop highlight set just above, not on a point.
  m_control.TvWhere_OLEDragDrop(-1.0F, -1.0F);
  return true;
}

QModelIndex WhereTreeModel::indexOf(const TreeNode* node) const {
  if (node == nullptr || node->IsRemoved() || node->Tree() != &m_tree) return {};
  return createIndex(rowOf(node), 0, const_cast<TreeNode*>(node));
}

NodeRef WhereTreeModel::nodeAt(const QModelIndex& index) const {
  TreeNode* node = nodeOf(index);
  return node != nullptr ? node->shared_from_this() : nullptr;
}

void WhereTreeModel::setRoleProvider(RoleProvider provider) {
  m_roleProvider = std::move(provider);
  emitIconsChanged();
}

void WhereTreeModel::emitIconsChanged() {
  const QList<int> roles{Qt::DecorationRole, Qt::BackgroundRole};
  if (m_topLevelCount > 0) {
    emit dataChanged(index(0, 0), index(m_topLevelCount - 1, 0), roles);
  }
  for (const NodeRef& node : m_tree.Nodes().All()) {
    const int children = node->Children();
    if (children == 0) continue;
    const QModelIndex parent = indexOf(node.get());
    emit dataChanged(index(0, 0, parent), index(children - 1, 0, parent), roles);
  }
}

// ---- Following the tree -------------------------------------------------------------------------

void WhereTreeModel::NodeAboutToBeInserted(const TreeNode* parent, int row) {
  beginInsertRows(indexOf(parent), row, row);
}

void WhereTreeModel::NodeInserted(const NodeRef& node) {
  const NodeRef parent = node->Parent();
  if (!parent) ++m_topLevelCount;
  if (const auto it = m_children.find(parent.get()); it != m_children.end()) {
    m_rows[node.get()] = static_cast<int>(it->second.size());
    it->second.push_back(node.get());
  }
  endInsertRows();
}

void WhereTreeModel::NodeAboutToBeRemoved(const TreeNode* parent, int row, const NodeRef&) {
  m_removing = true;
  beginRemoveRows(indexOf(parent), row, row);
}

void WhereTreeModel::NodeRemoved(const TreeNode* parent, int /*row*/) {
  if (parent == nullptr) --m_topLevelCount;
  // Rows after the removed one moved up, and the removed nodes' addresses may be reused.
  m_children.clear();
  m_rows.clear();
  endRemoveRows();
  m_removing = false;
  if (m_selectionPending) {
    m_selectionPending = false;
    emit selectionChanged(indexOf(m_tree.SelectedItem().get()));
  }
}

void WhereTreeModel::NodeChanged(const NodeRef& node, wheretree::NodeChange what) {
  const QModelIndex at = indexOf(node.get());
  switch (what) {
    case wheretree::NodeChange::text:
      emit dataChanged(at, at, {Qt::DisplayRole, Qt::EditRole});
      break;
    case wheretree::NodeChange::image:
      emit dataChanged(at, at, {ImageRole, Qt::DecorationRole, Qt::ToolTipRole});
      break;
    case wheretree::NodeChange::tag:
      emit dataChanged(at, at, {LevelRole, Qt::ToolTipRole});
      break;
    case wheretree::NodeChange::expanded:
      emit expansionChanged(at, node->Expanded());
      break;
  }
}

void WhereTreeModel::AboutToClear() {
  beginResetModel();
}

void WhereTreeModel::Cleared() {
  m_topLevelCount = 0;
  m_children.clear();
  m_rows.clear();
  m_dropHighlight = nullptr;
  endResetModel();
  emit selectionChanged(QModelIndex());
}

void WhereTreeModel::SelectionChanged(const NodeRef& node) {
  // During a removal the view may not touch the rows yet; it hears of it once the rows are gone.
  if (m_removing) {
    m_selectionPending = true;
    return;
  }
  emit selectionChanged(indexOf(node.get()));
}

void WhereTreeModel::DropHighlightChanged(const NodeRef& node) {
  const NodeRef old = std::exchange(m_dropHighlight, node);
  const QList<int> roles{DropHighlightRole, Qt::BackgroundRole};
  if (old && !old->IsRemoved()) {
    const QModelIndex at = indexOf(old.get());
    emit dataChanged(at, at, roles);
  }
  if (node) {
    const QModelIndex at = indexOf(node.get());
    emit dataChanged(at, at, roles);
  }
}

void WhereTreeModel::VisibilityRequested(const NodeRef& node) {
  emit visibilityRequested(indexOf(node.get()));
}

void WhereTreeModel::PropertiesChanged() {
  if (m_tree.ImageList() != m_imageList) {
    m_imageList = m_tree.ImageList();
    emitIconsChanged();
  }
  emit propertiesChanged();
}
