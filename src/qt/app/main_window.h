#pragma once

// The wheretree-gui window: the WHERE text and the table list go in on the left, the tree in the
// middle is edited with the mouse, toolbar and keyboard, and the outputs on the right (WHERE text,
// ANSI joins, Oracle FROM list and conditions, AML connection list) follow every edit.

#include <QMainWindow>
#include <QSettings>

#include "qt/q_where_tree_view.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QSpinBox;
class TableListEditor;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  enum class Output { where, ansi, oracleFrom, oracleWhere, aml };

  explicit MainWindow(QSettings& settings, QWidget* parent = nullptr);
  ~MainWindow() override;

  QWhereTreeView* tree() const { return m_tree; }
  TableListEditor* tableList() const { return m_tables; }
  QPlainTextEdit* whereEditor() const { return m_whereEdit; }
  QString outputText(Output which) const;
  /// What the last load said: "" before any load, else a sentence for the user.
  QString loadMessage() const;
  bool lastLoadFailed() const { return m_loadFailed; }

 public slots:
  /// Loads the WHERE text with the table list into the tree; false when the load failed (the
  /// message is shown in the window and the tree keeps what was read).
  bool load();
  void loadExample();
  /// Writes the outputs again now (they are otherwise refreshed once per batch of tree changes).
  void refreshOutputs();
  bool openWhereFile(const QString& path);
  bool openTableListFile(const QString& path);
  bool saveWhereFile(const QString& path);
  bool saveWrittenWhereFile(const QString& path);
  bool saveTableListFile(const QString& path);
  void renameAlias(const QString& oldAlias, const QString& newAlias);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildUi();
  void buildActions();
  void scheduleRefresh();
  void showJoins();
  void showMessage(const QString& text, bool error);
  void addCondition(int typeLogic);
  void askRenameAlias();
  void copyOutput(Output which);
  void rememberFile(const QString& kind, const QString& path);
  void showRecentFiles();
  QPlainTextEdit* outputEdit(Output which) const;

  QSettings& m_settings;
  QPlainTextEdit* m_whereEdit = nullptr;
  TableListEditor* m_tables = nullptr;
  QWhereTreeView* m_tree = nullptr;
  QLabel* m_message = nullptr;
  QSpinBox* m_indent = nullptr;
  QPlainTextEdit* m_outputs[5] = {};
  QMenu* m_recentMenu = nullptr;
  QString m_connections;
  bool m_loadFailed = false;
  bool m_refreshPending = false;
};
