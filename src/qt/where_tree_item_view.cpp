#include "qt/where_tree_item_view.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

QPoint pointOf(const QPointF& p) {
  return p.toPoint();
}

}  // namespace

WhereTreeItemView::WhereTreeItemView(WhereTreeModel& model, QWidget* parent)
    : QTreeView(parent), m_model(model), m_control(model.control()) {
  setModel(&m_model);
  setHeaderHidden(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Label editing starts only through the control (beginUserEdit / beginHostEdit), never by
  // Qt's own triggers, so BeforeLabelEdit is asked exactly once per edit.
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
  setIconSize(QSize(16, 16));
  setUniformRowHeights(true);
  setAnimated(false);

  m_editTimer.setSingleShot(true);
  connect(&m_editTimer, &QTimer::timeout, this, [this] { beginUserEdit(m_editIndex); });

  connect(&m_model, &WhereTreeModel::selectionChanged, this, &WhereTreeItemView::showSelection);
  connect(&m_model, &WhereTreeModel::expansionChanged, this, &WhereTreeItemView::showExpansion);
  connect(&m_model, &WhereTreeModel::visibilityRequested, this,
          [this](const QModelIndex& index) { scrollTo(index); });
  connect(&m_model, &QAbstractItemModel::modelReset, this, &WhereTreeItemView::applyExpansion);
  connect(this, &QTreeView::expanded, this,
          [this](const QModelIndex& index) { keepExpansion(index, true); });
  connect(this, &QTreeView::collapsed, this,
          [this](const QModelIndex& index) { keepExpansion(index, false); });

  // The control finds the node under a point with this view's own geometry (viewport pixels).
  m_control.TvWhere().SetHitTester(
      [this](float x, float y) { return m_model.nodeAt(indexAt(QPoint(qRound(x), qRound(y)))); });
  applyExpansion();
  showSelection(m_model.indexOf(m_control.TvWhere().SelectedItem().get()));
}

WhereTreeItemView::~WhereTreeItemView() {
  m_control.TvWhere().SetHitTester(nullptr);
}

qint16 WhereTreeItemView::buttonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

qint16 WhereTreeItemView::shiftCode(Qt::KeyboardModifiers modifiers) {
  qint16 code = 0;
  if (modifiers & Qt::ShiftModifier) code |= 1;
  if (modifiers & Qt::ControlModifier) code |= 2;
  if (modifiers & Qt::AltModifier) code |= 4;
  return code;
}

// ---- Mouse --------------------------------------------------------------------------------------

void WhereTreeItemView::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  m_editTimer.stop();
  m_dragStarted = false;
  m_pressIndex = indexAt(pointOf(at));
  m_pressOnSelected = m_pressIndex.isValid() && m_pressIndex == currentIndex() &&
                      selectionModel()->isSelected(m_pressIndex);
  m_control.TvWhere_MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()),
                              static_cast<float>(at.x()), static_cast<float>(at.y()));
  // A right press only marks the node of the gesture (MouseNode); it does not select, so the
  // current node stays what the user last clicked with the left button.
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  m_inMousePress = true;
  QTreeView::mousePressEvent(event);
  m_inMousePress = false;
  if (event->button() == Qt::LeftButton && m_pressIndex.isValid()) {
    if (const auto node = m_model.nodeAt(m_pressIndex)) m_control.TvWhere_NodeClick(node);
  }
}

void WhereTreeItemView::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (event->button() != Qt::RightButton) QTreeView::mouseReleaseEvent(event);
  m_control.TvWhere_MouseUp(buttonCode(event->button()), shiftCode(event->modifiers()),
                            static_cast<float>(at.x()), static_cast<float>(at.y()));
  if (event->button() != Qt::LeftButton) return;
  m_control.TvWhere_Click();
  // A click on the node that was already selected starts label editing after the double-click
  // interval (unless a double-click comes first).
  if (m_pressOnSelected && !m_dragStarted && indexAt(pointOf(at)) == m_pressIndex &&
      m_control.LabelEdit() == 0) {
    m_editIndex = m_pressIndex;
    m_editTimer.start(QApplication::doubleClickInterval());
  }
}

void WhereTreeItemView::mouseDoubleClickEvent(QMouseEvent* event) {
  m_editTimer.stop();
  if (event->button() == Qt::LeftButton) QTreeView::mouseDoubleClickEvent(event);
  // The control toggles And/Or only when the last mouse-down was the right button.
  m_control.TvWhere_DblClick();
  event->accept();
}

void WhereTreeItemView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
    beginUserEdit(currentIndex());
    event->accept();
    return;
  }
  m_inKeyPress = true;
  QTreeView::keyPressEvent(event);
  m_inKeyPress = false;
}

// ---- Selection and expansion --------------------------------------------------------------------

void WhereTreeItemView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  // Qt moves the current index by itself while rows go; the tree decides the selection then.
  if (m_syncing || m_model.isRemoving()) return;
  const auto node = m_model.nodeAt(current);
  m_control.TvWhere().SelectedItem(node);
  // Choosing a node with the keyboard counts as clicking it, so the current node (where new
  // members go, what Delete removes) always follows what the user sees selected.
  if (m_inKeyPress && node) {
    m_control.TvWhere_NodeClick(node);
    m_control.TvWhere_Click();
  }
}

void WhereTreeItemView::showSelection(const QModelIndex& index) {
  m_syncing = true;
  if (index.isValid()) {
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  } else {
    selectionModel()->clear();
  }
  m_syncing = false;
}

void WhereTreeItemView::showExpansion(const QModelIndex& index, bool expanded) {
  m_syncing = true;
  setExpanded(index, expanded);
  m_syncing = false;
}

void WhereTreeItemView::applyExpansion() {
  m_syncing = true;
  for (const auto& node : m_control.TvWhere().Nodes().All()) {
    if (node->Expanded()) setExpanded(m_model.indexOf(node.get()), true);
  }
  m_syncing = false;
}

void WhereTreeItemView::keepExpansion(const QModelIndex& index, bool expanded) {
  if (m_syncing) return;
  if (const auto node = m_model.nodeAt(index)) node->Expanded(expanded);
}

// ---- Label editing ------------------------------------------------------------------------------

bool WhereTreeItemView::beginUserEdit(const QModelIndex& index) {
  const auto node = m_model.nodeAt(index);
  if (!node || state() == EditingState) return false;
  if (!m_control.BeginLabelEdit(node, true)) return false;
  return QTreeView::edit(index, AllEditTriggers, nullptr);
}

bool WhereTreeItemView::beginHostEdit(const QModelIndex& index) {
  const auto node = m_model.nodeAt(index);
  if (!node || state() == EditingState) return false;
  if (!m_control.BeginLabelEdit(node, false)) return false;
  m_model.setHostEditing(true);
  const bool started = QTreeView::edit(index, AllEditTriggers, nullptr);
  if (!started) m_model.setHostEditing(false);
  return started;
}

void WhereTreeItemView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTreeView::closeEditor(editor, hint);
  m_model.setHostEditing(false);
}

// ---- Drag and drop ------------------------------------------------------------------------------

void WhereTreeItemView::startDrag(Qt::DropActions /*supported_actions*/) {
  m_editTimer.stop();
  m_dragStarted = true;
  std::int32_t effects = 0;
  m_control.TvWhere_OLEStartDrag(effects);
  const QModelIndex dragged = m_pressIndex.isValid() ? QModelIndex(m_pressIndex) : currentIndex();
  if (!dragged.isValid()) return;
  Qt::DropActions allowed;
  if (effects & 1) allowed |= Qt::CopyAction;
  if (effects & 2) allowed |= Qt::MoveAction;
  auto* drag = new QDrag(this);
  drag->setMimeData(m_model.mimeData({dragged}));
  const QIcon icon = m_model.data(dragged, Qt::DecorationRole).value<QIcon>();
  if (!icon.isNull()) drag->setPixmap(icon.pixmap(iconSize()));
  drag->exec(allowed, Qt::CopyAction);
}

void WhereTreeItemView::dragEnterEvent(QDragEnterEvent* event) {
  if (!m_model.canDropMimeData(event->mimeData(), Qt::CopyAction, -1, -1, QModelIndex())) {
    event->ignore();
    return;
  }
  setState(DraggingState);
  event->setDropAction(Qt::CopyAction);
  event->accept();
}

void WhereTreeItemView::dragMoveEvent(QDragMoveEvent* event) {
  if (!m_model.canDropMimeData(event->mimeData(), Qt::CopyAction, -1, -1, QModelIndex())) {
    event->ignore();
    return;
  }
  const QPointF at = event->position();
  m_control.TvWhere_OLEDragOver(static_cast<float>(at.x()), static_cast<float>(at.y()));
  const QRect area = viewport()->rect();
  const int margin = autoScrollMargin();
  if (hasAutoScroll() && (at.y() < area.top() + margin || at.y() > area.bottom() - margin ||
                          at.x() < area.left() + margin || at.x() > area.right() - margin)) {
    startAutoScroll();
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
}

void WhereTreeItemView::dragLeaveEvent(QDragLeaveEvent* event) {
  stopAutoScroll();
  setState(NoState);
  event->accept();
}

void WhereTreeItemView::dropEvent(QDropEvent* event) {
  stopAutoScroll();
  setState(NoState);
  const QModelIndex target = indexAt(pointOf(event->position()));
  if (m_model.dropMimeData(event->mimeData(), Qt::CopyAction, -1, -1, target)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}
