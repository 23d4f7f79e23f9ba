#pragma once

// QWhereTreeView: the WHERE clause tree as a Qt widget. It owns a WhereTreeViewControl and shows
// its condition tree; every method, property and event of the control is here as Qt API.
//
//   QWhereTreeView view;                           // run mode: the tree has its root
//   QString joins = view.loadWhereString("e.dept = d.id And e.sal > 100", tablesAml);
//   view.createWhereString(2)                      // -> "\r\n  e.sal > 100"
//   connect(&view, &QWhereTreeView::beforeLabelEdit, [](qint16& cancel) { cancel = 1; });
//
// Failures that the control leaves to its caller (loadWhereString, createWhereString,
// replaceAliasName) are thrown as wheretree::Error; call these directly, not through queued
// connections.

#include <QSettings>
#include <QWidget>
#include <memory>

#include "control/where_tree_view_control.h"
#include "qt/q_where_image_list.h"
#include "qt/qt_platform.h"
#include "qt/where_tree_model.h"

class QTreeView;
class WhereTreeItemView;

using QWhereImageListPtr = std::shared_ptr<QWhereImageList>;
Q_DECLARE_METATYPE(QWhereImageListPtr)

class QWhereTreeView : public QWidget {
  Q_OBJECT
  /// The tree's indentation in the control's units: twips, 1440 to the inch (default 200). The
  /// view shows it as indentation * logical DPI / 1440 pixels, so 200 is 13 pixels at 96 DPI.
  Q_PROPERTY(double indentation READ indentation WRITE setIndentation)
  /// 0: the user edits a label by clicking the selected node or pressing F2; 1: only the host
  /// starts edits (startLabelEdit).
  Q_PROPERTY(int labelEdit READ labelEdit WRITE setLabelEdit)
  /// The pictures of the nodes. Setting a null list binds the built-in ImageListWhere again.
  Q_PROPERTY(QWhereImageListPtr imageList READ imageList WRITE setImageList DESIGNABLE false)
  Q_PROPERTY(quintptr hWnd READ hWnd)
  Q_PROPERTY(bool designMode READ isDesignMode)

 public:
  enum Mode { RunMode, DesignMode };
  Q_ENUM(Mode)

  /// Run mode: the tree starts with its root node.
  explicit QWhereTreeView(QWidget* parent = nullptr);
  /// Design mode (a form designer) keeps the tree empty, without root.
  explicit QWhereTreeView(Mode mode, QWidget* parent = nullptr);
  ~QWhereTreeView() override;

  wheretree::WhereTreeViewControl& control() { return *m_control; }
  WhereTreeModel* model() const { return m_model; }
  QTreeView* treeView() const;
  bool isDesignMode() const { return m_mode == DesignMode; }

  double indentation() const;
  void setIndentation(double units);
  /// The indentation the view shows, in pixels.
  int indentationPixels() const;
  int labelEdit() const;
  void setLabelEdit(int mode);
  /// The bound list as a Qt image list (the built-in list comes back as an equal copy).
  QWhereImageListPtr imageList() const;
  void setImageList(QWhereImageListPtr list);
  quintptr hWnd() const;
  /// The node of an index of model(), or nullptr.
  wheretree::NodeRef nodeAt(const QModelIndex& index) const;

  /// Receives the control's notices ("Node isn't deleted !") instead of a modal QMessageBox.
  void setMessageHook(QtMessageBox::Hook hook);
  /// Restores / stores Indentation, LabelEdit and ImageList in `settings` under `group`.
  void readProperties(QSettings& settings,
                      const QString& group = QStringLiteral("WhereTreeViewControl"));
  void writeProperties(QSettings& settings,
                       const QString& group = QStringLiteral("WhereTreeViewControl"));

 public slots:
  /// Renames a table alias in every node text ("a.x = b.y", a -> c: "c.x = b.y").
  void replaceAliasName(const QString& oldAliasName, const QString& newAliasName);
  /// Prunes empty levels and writes the tree as WHERE text, the root's members indented by
  /// `sdvig` spaces.
  QString createWhereString(int sdvig = 0);
  /// Adds a level at the current node and returns the kind it got (2 And, 3 Or, 1 first member).
  int addLevel(int typeLogic);
  /// Adds a condition at the current node; nothing for an empty text.
  void addNode(const QString& pardigma, int typeLogic);
  /// Removes the current node and returns its text; on failure shows "Node isn't deleted !".
  QString deleteNode();
  /// Repaints the control.
  void refresh();
  /// Loads a WHERE text (without the word WHERE) and the AML table list; returns the joins taken
  /// out of it as an AML connection list. The caller's text is left as it is.
  QString loadWhereString(const QString& where, const QString& amlTablePoles = QString());
  /// Starts editing the selected node's label for the host (allowed with labelEdit 1 too).
  bool startLabelEdit();

 signals:
  void mouseDown(qint16& button, qint16& shift, float& x, float& y);
  void mouseUp(qint16& button, qint16& shift, float& x, float& y);
  /// A node was clicked; the index is in model().
  void nodeClick(const QModelIndex& node);
  /// Before a label edit ends: a non-zero `cancel` keeps the old text; a changed `newString` is
  /// stored instead of what the user typed.
  void afterLabelEdit(qint16& cancel, QString& newString);
  /// Before a label edit starts: a non-zero `cancel` refuses it.
  void beforeLabelEdit(qint16& cancel);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void connectEvents();
  void showProperties();
  QVariant roleOf(const wheretree::TreeNode& node, int role) const;

  Mode m_mode;
  std::shared_ptr<QtControlSite> m_site;
  std::shared_ptr<QtMessageBox> m_messages;
  std::unique_ptr<wheretree::WhereTreeViewControl> m_control;
  WhereTreeModel* m_model = nullptr;
  WhereTreeItemView* m_view = nullptr;
};
