#pragma once

// WhereTreeModel: the condition tree of a WhereTreeViewControl as a QAbstractItemModel. The core
// tree stays the only copy of the data: each index points at its core node, and the model follows
// the tree's change notifications row by row (a full reset only when the tree is cleared).
//
//   wheretree::WhereTreeViewControl control;        // run mode: the root "LP_1"
//   WhereTreeModel model(control);
//   model.rowCount()                                // -> 1 (the root)
//   model.data(model.index(0, 0), WhereTreeModel::KeyRole)   // -> "LP_1"

#include <QAbstractItemModel>
#include <QMimeData>
#include <functional>
#include <unordered_map>
#include <vector>

#include "control/where_tree_view_control.h"

class WhereTreeModel : public QAbstractItemModel, private wheretree::TreeObserver {
  Q_OBJECT

 public:
  enum Role {
    ImageRole = Qt::UserRole + 1,  ///< the node's image number, invalid without image
    KeyRole,                       ///< the node's key
    LevelRole,                     ///< true for the root and level nodes
    DropHighlightRole,             ///< true for the tree's drop-highlighted node
  };

  /// The drag-and-drop format: the dragging tree's identity, then the dragged nodes' keys, one
  /// per line (UTF-8).
  static QString mimeType() { return QStringLiteral("application/x-wheretree-node-keys"); }

  /// Answers the roles the model does not know itself (pictures, colours), so this model needs
  /// nothing but QtCore; a widget layer installs one.
  using RoleProvider = std::function<QVariant(const wheretree::TreeNode& node, int role)>;

  explicit WhereTreeModel(wheretree::WhereTreeViewControl& control, QObject* parent = nullptr);
  ~WhereTreeModel() override;

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  /// EditRole goes through the control's label editing: false when the host vetoes the edit.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  /// Editable only while label editing is allowed (LabelEdit 0, or a host-started edit).
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  /// Only drags that started in this very tree can be dropped.
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  /// Drops onto the target node: with `row` -1 the target is `parent`, else the node at `row`
  /// under `parent`. The target becomes the drop highlight and the control exchanges its text
  /// with the node the drag started on.
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;
  Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
  Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

  /// The index of a node of this tree (invalid for nullptr or a removed node).
  QModelIndex indexOf(const wheretree::TreeNode* node) const;
  /// The core node behind an index, or nullptr.
  wheretree::NodeRef nodeAt(const QModelIndex& index) const;

  wheretree::WhereTreeViewControl& control() const { return m_control; }
  void setRoleProvider(RoleProvider provider);
  /// While true every node is editable, whatever LabelEdit says (the host started the edit).
  void setHostEditing(bool on) { m_hostEditing = on; }
  /// True between the tree's "about to remove" and "removed" notices.
  bool isRemoving() const { return m_removing; }

 signals:
  /// The tree asked to make a node visible (its ancestors are expanded already).
  void visibilityRequested(const QModelIndex& index);
  /// A node was expanded or collapsed in the tree.
  void expansionChanged(const QModelIndex& index, bool expanded);
  /// The tree's selected node changed (invalid: no selection).
  void selectionChanged(const QModelIndex& index);
  /// Indentation, LabelEdit or the image list changed.
  void propertiesChanged();

 private:
  void NodeAboutToBeInserted(const wheretree::TreeNode* parent, int row) override;
  void NodeInserted(const wheretree::NodeRef& node) override;
  void NodeAboutToBeRemoved(const wheretree::TreeNode* parent, int row,
                            const wheretree::NodeRef& node) override;
  void NodeRemoved(const wheretree::TreeNode* parent, int row) override;
  void NodeChanged(const wheretree::NodeRef& node, wheretree::NodeChange what) override;
  void AboutToClear() override;
  void Cleared() override;
  void SelectionChanged(const wheretree::NodeRef& node) override;
  void DropHighlightChanged(const wheretree::NodeRef& node) override;
  void VisibilityRequested(const wheretree::NodeRef& node) override;
  void PropertiesChanged() override;

  wheretree::TreeNode* childOf(const wheretree::TreeNode* parent, int row) const;
  const std::vector<wheretree::TreeNode*>& childrenOf(const wheretree::TreeNode* parent) const;
  int rowOf(const wheretree::TreeNode* node) const;
  void emitIconsChanged();
  QByteArray treeIdentity() const;

  wheretree::WhereTreeViewControl& m_control;
  wheretree::TreeView& m_tree;
  RoleProvider m_roleProvider;
  int m_topLevelCount = 0;
  bool m_hostEditing = false;
  bool m_removing = false;
  bool m_selectionPending = false;
  wheretree::NodeRef m_dropHighlight;
  std::shared_ptr<wheretree::ImageList> m_imageList;
  // The children of each parent (nullptr: the top level) and each node's row, built on first
  // use so that views asking for every row of a long level get them in constant time each.
  // Appends keep them; a removal or a clear drops them all.
  mutable std::unordered_map<const wheretree::TreeNode*, std::vector<wheretree::TreeNode*>>
      m_children;
  mutable std::unordered_map<const wheretree::TreeNode*, int> m_rows;
};
