#include "qt/q_where_tree_view.h"

#include <QEvent>
#include <QPalette>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "common/text.h"
#include "qt/where_tree_item_view.h"

namespace {

constexpr double kTwipsPerInch = 1440.0;

std::u16string u16(const QString& text) {
  return text.toStdU16String();
}

}  // namespace

QWhereTreeView::QWhereTreeView(QWidget* parent) : QWhereTreeView(RunMode, parent) {}

QWhereTreeView::QWhereTreeView(Mode mode, QWidget* parent)
    : QWidget(parent),
      m_mode(mode),
      m_site(std::make_shared<QtControlSite>(mode == RunMode)),
      m_messages(std::make_shared<QtMessageBox>(this)) {
  m_site->setWidget(this);
  // The control starts as a container creates it: properties from an empty bag, and in run
  // mode the root node.
  m_control = std::make_unique<wheretree::WhereTreeViewControl>(m_site, m_messages);
  m_model = new WhereTreeModel(*m_control, this);
  m_model->setRoleProvider(
      [this](const wheretree::TreeNode& node, int role) { return roleOf(node, role); });
  m_view = new WhereTreeItemView(*m_model, this);
  m_view->setObjectName(QStringLiteral("TvWhere"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_view);
  setFocusProxy(m_view);

  connect(m_model, &WhereTreeModel::propertiesChanged, this, &QWhereTreeView::showProperties);
  connectEvents();
  showProperties();
}

QWhereTreeView::~QWhereTreeView() {
  // The view and the model watch the control's tree: they go first.
  delete m_view;
  delete m_model;
}

void QWhereTreeView::connectEvents() {
  auto& events = m_control->Events();
  events.MouseDown = [this](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
    emit mouseDown(button, shift, x, y);
  };
  events.MouseUp = [this](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
    emit mouseUp(button, shift, x, y);
  };
  events.NodeClick = [this](const wheretree::NodeRef& node) {
    emit nodeClick(m_model->indexOf(node.get()));
  };
  events.BeforeLabelEdit = [this](std::int16_t& cancel) { emit beforeLabelEdit(cancel); };
  events.AfterLabelEdit = [this](std::int16_t& cancel, std::u16string& new_string) {
    QString text = QString::fromStdU16String(new_string);
    emit afterLabelEdit(cancel, text);
    new_string = u16(text);
  };
}

QVariant QWhereTreeView::roleOf(const wheretree::TreeNode& node, int role) const {
  if (role == Qt::DecorationRole) {
    const auto list = m_control->TvWhere().ImageList();
    if (!list || !node.Image()) return {};
    const QIcon icon = QWhereImageList::iconFor(*list, *node.Image());
    return icon.isNull() ? QVariant() : QVariant(icon);
  }
  if (role == Qt::BackgroundRole && m_control->TvWhere().DropHighlight().get() == &node) {
    QColor color = palette().color(QPalette::Highlight);
    color.setAlpha(90);
    return QBrush(color);
  }
  return {};
}

QTreeView* QWhereTreeView::treeView() const {
  return m_view;
}

// ---- Properties ---------------------------------------------------------------------------------

double QWhereTreeView::indentation() const {
  return m_control->Indentation();
}

void QWhereTreeView::setIndentation(double units) {
  m_control->Indentation(static_cast<float>(units));
}

int QWhereTreeView::indentationPixels() const {
  return qMax(0, qRound(indentation() * logicalDpiX() / kTwipsPerInch));
}

int QWhereTreeView::labelEdit() const {
  return m_control->LabelEdit();
}

void QWhereTreeView::setLabelEdit(int mode) {
  m_control->LabelEdit(mode);
}

QWhereImageListPtr QWhereTreeView::imageList() const {
  const auto list = m_control->ImageList();
  if (!list) return nullptr;
  if (QWhereImageList::from(list.get())) return std::static_pointer_cast<QWhereImageList>(list);
  return QWhereImageList::fromImageList(*list);
}

void QWhereTreeView::setImageList(QWhereImageListPtr list) {
  m_control->ImageList(std::move(list));
}

quintptr QWhereTreeView::hWnd() const {
  return static_cast<quintptr>(m_control->hWnd());
}

wheretree::NodeRef QWhereTreeView::nodeAt(const QModelIndex& index) const {
  return m_model->nodeAt(index);
}

void QWhereTreeView::showProperties() {
  m_view->setIndentation(indentationPixels());
  m_view->viewport()->update();
}

void QWhereTreeView::setMessageHook(QtMessageBox::Hook hook) {
  m_messages->setHook(std::move(hook));
}

void QWhereTreeView::readProperties(QSettings& settings, const QString& group) {
  QSettingsPropertyBag bag(settings, group);
  if (m_control->TvWhere().Nodes().Count() == 0) {
    m_control->ReadProperties(bag);
    return;
  }
  // The tree has its root already (run mode): restoring a saved control again would add a level
  // at the current node, so only the three properties are applied.
  const auto number = [&bag](const char16_t* name, double fallback) {
    const auto value = bag.ReadProperty(name, fallback);
    if (const auto* d = std::get_if<double>(&value)) return *d;
    if (const auto* i = std::get_if<std::int32_t>(&value)) return static_cast<double>(*i);
    throw wheretree::Error::InvalidArgument("the stored property \"" + wheretree::ToUtf8(name) +
                                            "\" is not a number");
  };
  setIndentation(number(u"Indentation", 200.0));
  setLabelEdit(static_cast<int>(number(u"LabelEdit", 0.0)));
  const auto list = bag.ReadProperty(u"ImageList", std::monostate{});
  const auto* stored = std::get_if<std::shared_ptr<wheretree::ImageList>>(&list);
  m_control->ImageList(stored ? *stored : nullptr);
}

void QWhereTreeView::writeProperties(QSettings& settings, const QString& group) {
  QSettingsPropertyBag bag(settings, group);
  m_control->WriteProperties(bag);
}

// ---- Methods ------------------------------------------------------------------------------------

void QWhereTreeView::replaceAliasName(const QString& oldAliasName, const QString& newAliasName) {
  m_control->ReplaceAliasName(u16(oldAliasName), u16(newAliasName));
}

QString QWhereTreeView::createWhereString(int sdvig) {
  const auto indent = static_cast<std::int16_t>(qBound(-32768, sdvig, 32767));
  return QString::fromStdU16String(m_control->CreateWhereString(indent));
}

int QWhereTreeView::addLevel(int typeLogic) {
  auto logic = static_cast<wheretree::TypeOfLogic>(typeLogic);
  m_control->AddLevel(logic);
  return static_cast<int>(logic);
}

void QWhereTreeView::addNode(const QString& pardigma, int typeLogic) {
  m_control->AddNode(u16(pardigma), static_cast<wheretree::TypeOfLogic>(typeLogic));
}

QString QWhereTreeView::deleteNode() {
  return QString::fromStdU16String(m_control->DeleteNode());
}

void QWhereTreeView::refresh() {
  m_control->Refresh();
}

QString QWhereTreeView::loadWhereString(const QString& where, const QString& amlTablePoles) {
  std::u16string text = u16(where);
  return QString::fromStdU16String(m_control->LoadWhereString(text, u16(amlTablePoles)));
}

bool QWhereTreeView::startLabelEdit() {
  return m_view->beginHostEdit(m_model->indexOf(m_control->TvWhere().SelectedItem().get()));
}

// ---- Events -------------------------------------------------------------------------------------

void QWhereTreeView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_control->Resize(static_cast<float>(event->size().width()),
                    static_cast<float>(event->size().height()));
}

void QWhereTreeView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::FontChange) {
    showProperties();
  }
}
