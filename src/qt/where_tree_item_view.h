#pragma once

// The tree view inside QWhereTreeView: a QTreeView that reports the user's gestures to the
// control the way the control expects them from its tree widget (mouse down/up, clicks, the
// right double-click, drag and drop, label editing) and mirrors the tree's selection, expansion
// and visibility requests. Hit testing of the control uses this view's real geometry.

#include <QPersistentModelIndex>
#include <QTimer>
#include <QTreeView>

#include "qt/where_tree_model.h"

class WhereTreeItemView : public QTreeView {
  Q_OBJECT

 public:
  WhereTreeItemView(WhereTreeModel& model, QWidget* parent = nullptr);
  ~WhereTreeItemView() override;

  /// Starts editing the label of `index` as the user does (F2, or a click on the selected node):
  /// refused in manual LabelEdit mode or when the host vetoes it in BeforeLabelEdit.
  bool beginUserEdit(const QModelIndex& index);
  /// Starts editing the label of `index` for the host: allowed in manual mode too, unless the
  /// host vetoes it in BeforeLabelEdit.
  bool beginHostEdit(const QModelIndex& index);

  /// Mouse buttons and shift keys as the control counts them: left 1, right 2, middle 4; Shift 1,
  /// Ctrl 2, Alt 4.
  static qint16 buttonCode(Qt::MouseButton button);
  static qint16 shiftCode(Qt::KeyboardModifiers modifiers);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void startDrag(Qt::DropActions supported_actions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  void showSelection(const QModelIndex& index);
  void showExpansion(const QModelIndex& index, bool expanded);
  void applyExpansion();
  void keepExpansion(const QModelIndex& index, bool expanded);

  WhereTreeModel& m_model;
  wheretree::WhereTreeViewControl& m_control;
  QPersistentModelIndex m_pressIndex;
  bool m_pressOnSelected = false;
  bool m_dragStarted = false;
  bool m_inMousePress = false;
  bool m_inKeyPress = false;
  bool m_syncing = false;
  QTimer m_editTimer;
  QPersistentModelIndex m_editIndex;
};
