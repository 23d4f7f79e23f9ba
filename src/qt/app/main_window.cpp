#include "qt/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "control/condition_tree.h"
#include "qt/app/join_texts.h"
#include "qt/app/table_list_editor.h"
#include "qt/app/where_preview.h"

// The example lives in this static library's resources; naming them pulls them into the program.
static void initExampleResources() {
  Q_INIT_RESOURCE(wheretree_gui);
}

namespace {

constexpr int kMaxRecentFiles = 8;
constexpr int kLevelAnd = static_cast<int>(wheretree::TypeOfLogic::LevelAnd);
constexpr int kLevelOr = static_cast<int>(wheretree::TypeOfLogic::LevelOr);
constexpr int kSimpleAnd = static_cast<int>(wheretree::TypeOfLogic::SimpleAnd);
constexpr int kSimpleOr = static_cast<int>(wheretree::TypeOfLogic::SimpleOr);

QString readText(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("Cannot open %1: %2").arg(path, file.errorString());
    return {};
  }
  return QString::fromUtf8(file.readAll());
}

bool writeText(const QString& path, const QString& text, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0) {
    *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    return false;
  }
  return true;
}

// The control knows CR LF as the line break; an editor gives bare LF, which would otherwise
// hide " And " and " Or " at the start of a line from the parser.
QString withCrLf(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

QString withLf(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QPlainTextEdit* makeOutput(QWidget* parent, const QString& name) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setReadOnly(true);
  edit->setObjectName(name);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  return edit;
}

}  // namespace

MainWindow::MainWindow(QSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_settings(settings) {
  initExampleResources();
  setWindowTitle(QStringLiteral("wheretree"));
  setWindowIcon(QWhereImageList::pictureIcon(QStringLiteral("wheretree.svg")));
  buildUi();
  buildActions();
  m_tree->readProperties(m_settings);
  m_indent->setValue(m_settings.value(QStringLiteral("output/indent"), 2).toInt());
  restoreGeometry(m_settings.value(QStringLiteral("window/geometry")).toByteArray());
  showRecentFiles();
  refreshOutputs();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildUi() {
  auto* left = new QWidget(this);
  m_whereEdit = new QPlainTextEdit(left);
  m_whereEdit->setObjectName(QStringLiteral("whereEditor"));
  m_whereEdit->setPlaceholderText(QStringLiteral(
      "WHERE text without the word WHERE, e.g.\nE.DEPTNO = D.DEPTNO And E.SAL > 100"));
  m_whereEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_tables = new TableListEditor(left);
  auto* loadButton = new QPushButton(QStringLiteral("Load into the tree"), left);
  loadButton->setObjectName(QStringLiteral("loadButton"));
  connect(loadButton, &QPushButton::clicked, this, &MainWindow::load);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->addWidget(new QLabel(QStringLiteral("<b>WHERE text</b>"), left));
  leftLayout->addWidget(m_whereEdit, 2);
  leftLayout->addWidget(new QLabel(QStringLiteral("<b>Tables</b> (table, aliases, fields)"), left));
  leftLayout->addWidget(m_tables, 3);
  leftLayout->addWidget(loadButton);

  auto* middle = new QWidget(this);
  m_message = new QLabel(middle);
  m_message->setObjectName(QStringLiteral("loadMessage"));
  m_message->setWordWrap(true);
  m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_tree = new QWhereTreeView(middle);
  m_tree->setObjectName(QStringLiteral("whereTree"));
  auto* hint = new QLabel(
      QStringLiteral("Right double-click toggles And/Or. Drag a condition onto another to swap "
                     "them. F2 or a click on the selected node edits its text."),
      middle);
  hint->setWordWrap(true);
  hint->setStyleSheet(QStringLiteral("color: palette(mid);"));
  auto* middleLayout = new QVBoxLayout(middle);
  middleLayout->addWidget(new QLabel(QStringLiteral("<b>Condition tree</b>"), middle));
  middleLayout->addWidget(m_message);
  middleLayout->addWidget(m_tree, 1);
  middleLayout->addWidget(hint);

  auto* right = new QSplitter(Qt::Vertical, this);
  const struct {
    Output which;
    const char* title;
    const char* name;
  } outputs[] = {
      {Output::where, "WHERE text", "whereOutput"},
      {Output::ansi, "ANSI joins", "ansiOutput"},
      {Output::oracleFrom, "Oracle FROM list", "oracleFromOutput"},
      {Output::oracleWhere, "Oracle join conditions", "oracleWhereOutput"},
      {Output::aml, "AML connection list", "amlOutput"},
  };
  for (const auto& o : outputs) {
    auto* box = new QGroupBox(QString::fromLatin1(o.title), right);
    auto* layout = new QVBoxLayout(box);
    auto* bar = new QHBoxLayout;
    if (o.which == Output::where) {
      m_indent = new QSpinBox(box);
      m_indent->setObjectName(QStringLiteral("indentSpin"));
      m_indent->setRange(0, 40);
      m_indent->setPrefix(QStringLiteral("indent "));
      m_indent->setSuffix(QStringLiteral(" spaces"));
      connect(m_indent, &QSpinBox::valueChanged, this, &MainWindow::refreshOutputs);
      bar->addWidget(m_indent);
    }
    bar->addStretch();
    auto* copy = new QPushButton(QStringLiteral("Copy"), box);
    const Output which = o.which;
    connect(copy, &QPushButton::clicked, this, [this, which] { copyOutput(which); });
    bar->addWidget(copy);
    layout->addLayout(bar);
    m_outputs[static_cast<int>(o.which)] = makeOutput(box, QString::fromLatin1(o.name));
    layout->addWidget(m_outputs[static_cast<int>(o.which)]);
    right->addWidget(box);
  }

  right->setStretchFactor(0, 3);  // the WHERE text is the longest output
  for (int i = 1; i < 5; ++i) right->setStretchFactor(i, 1);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(left);
  splitter->addWidget(middle);
  splitter->addWidget(right);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 3);
  splitter->setStretchFactor(2, 4);
  setCentralWidget(splitter);
  statusBar();

  // Every change of the tree refreshes the outputs once, after the batch of changes.
  auto* model = m_tree->model();
  connect(model, &QAbstractItemModel::dataChanged, this, &MainWindow::scheduleRefresh);
  connect(model, &QAbstractItemModel::rowsInserted, this, &MainWindow::scheduleRefresh);
  connect(model, &QAbstractItemModel::rowsRemoved, this, &MainWindow::scheduleRefresh);
  connect(model, &QAbstractItemModel::modelReset, this, &MainWindow::scheduleRefresh);
}

void MainWindow::buildActions() {
  const auto action = [this](const QString& text, const QKeySequence& keys, auto&& slot) {
    auto* a = new QAction(text, this);
    if (!keys.isEmpty()) a->setShortcut(keys);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  // Tree editing keys act only while the tree has the focus (Delete must not remove a node while
  // the user types in an editor); the menus and the toolbar work at any time.
  const auto treeAction = [this, &action](const QString& text, const QKeySequence& keys,
                                          auto&& slot) {
    auto* a = action(text, keys, slot);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_tree->addAction(a);
    return a;
  };

  auto* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(action(QStringLiteral("&Open WHERE text..."), QKeySequence::Open, [this] {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open WHERE text"), QString(),
                                     QStringLiteral("SQL text (*.sql *.txt);;All files (*)"));
    if (!path.isEmpty()) openWhereFile(path);
  }));
  file->addAction(action(
      QStringLiteral("Open &table list..."), QKeySequence(QStringLiteral("Ctrl+Shift+O")), [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, QStringLiteral("Open table list"), QString(),
                                         QStringLiteral("AML table list (*.aml);;All files (*)"));
        if (!path.isEmpty()) openTableListFile(path);
      }));
  m_recentMenu = file->addMenu(QStringLiteral("Open &recent"));
  file->addSeparator();
  file->addAction(action(QStringLiteral("&Save WHERE text..."), QKeySequence::Save, [this] {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save WHERE text"),
                                                      QString(), QStringLiteral("SQL (*.sql)"));
    if (!path.isEmpty()) saveWhereFile(path);
  }));
  file->addAction(action(QStringLiteral("Save &written WHERE..."),
                         QKeySequence(QStringLiteral("Ctrl+Alt+S")), [this] {
                           const QString path = QFileDialog::getSaveFileName(
                               this, QStringLiteral("Save the WHERE text written from the tree"),
                               QString(), QStringLiteral("SQL (*.sql)"));
                           if (!path.isEmpty()) saveWrittenWhereFile(path);
                         }));
  file->addAction(action(
      QStringLiteral("Save table &list..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")), [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, QStringLiteral("Save table list"), QString(),
                                         QStringLiteral("AML table list (*.aml)"));
        if (!path.isEmpty()) saveTableListFile(path);
      }));
  file->addSeparator();
  file->addAction(
      action(QStringLiteral("Load &example"), QKeySequence(), [this] { loadExample(); }));
  file->addAction(action(QStringLiteral("&Quit"), QKeySequence::Quit, [this] { close(); }));

  auto* tree = menuBar()->addMenu(QStringLiteral("&Tree"));
  auto* loadAction = action(QStringLiteral("&Load"), QKeySequence(Qt::Key_F5), [this] { load(); });
  auto* andLevel =
      treeAction(QStringLiteral("Add And &level"), QKeySequence(QStringLiteral("Ctrl+Ins")),
                 [this] { m_tree->addLevel(kLevelAnd); });
  auto* orLevel =
      treeAction(QStringLiteral("Add Or l&evel"), QKeySequence(QStringLiteral("Ctrl+Shift+Ins")),
                 [this] { m_tree->addLevel(kLevelOr); });
  auto* andCondition =
      treeAction(QStringLiteral("Add And &condition..."), QKeySequence(Qt::Key_Insert),
                 [this] { addCondition(kSimpleAnd); });
  auto* orCondition =
      treeAction(QStringLiteral("Add Or c&ondition..."), QKeySequence(QStringLiteral("Shift+Ins")),
                 [this] { addCondition(kSimpleOr); });
  auto* remove = treeAction(QStringLiteral("&Delete node"), QKeySequence::Delete,
                            [this] { m_tree->deleteNode(); });
  auto* rename = action(QStringLiteral("&Rename alias..."), QKeySequence(QStringLiteral("Ctrl+R")),
                        [this] { askRenameAlias(); });
  auto* edit = action(QStringLiteral("Edit &text"), QKeySequence(), [this] {
    m_tree->setFocus();
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(m_tree->treeView(), &f2);
  });
  auto* labelEdit = action(QStringLiteral("Allow label editing by the user"), QKeySequence(),
                           [this](bool on) { m_tree->setLabelEdit(on ? 0 : 1); });
  labelEdit->setCheckable(true);
  labelEdit->setChecked(m_tree->labelEdit() == 0);
  for (QAction* a :
       {loadAction, andLevel, orLevel, andCondition, orCondition, remove, rename, edit}) {
    tree->addAction(a);
  }
  tree->addSeparator();
  tree->addAction(labelEdit);

  auto* output = menuBar()->addMenu(QStringLiteral("&Output"));
  auto* copyWhere =
      action(QStringLiteral("&Copy WHERE text"), QKeySequence(QStringLiteral("Ctrl+Shift+C")),
             [this] { copyOutput(Output::where); });
  output->addAction(copyWhere);
  output->addAction(action(QStringLiteral("Copy &ANSI joins"), QKeySequence(),
                           [this] { copyOutput(Output::ansi); }));
  output->addAction(
      action(QStringLiteral("Copy &Oracle FROM list and conditions"), QKeySequence(), [this] {
        QApplication::clipboard()->setText(withLf(outputText(Output::oracleFrom) +
                                                  QStringLiteral("\r\n") +
                                                  outputText(Output::oracleWhere)));
      }));
  output->addAction(action(QStringLiteral("Copy A&ML connection list"), QKeySequence(),
                           [this] { copyOutput(Output::aml); }));

  auto* bar = addToolBar(QStringLiteral("Tree"));
  bar->setObjectName(QStringLiteral("treeToolBar"));
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  andLevel->setIcon(QWhereImageList::pictureIcon(QStringLiteral("level_and.svg")));
  orLevel->setIcon(QWhereImageList::pictureIcon(QStringLiteral("level_or.svg")));
  andCondition->setIcon(QWhereImageList::pictureIcon(QStringLiteral("simple_and.svg")));
  orCondition->setIcon(QWhereImageList::pictureIcon(QStringLiteral("simple_or.svg")));
  for (QAction* a :
       {loadAction, andLevel, orLevel, andCondition, orCondition, remove, rename, copyWhere}) {
    bar->addAction(a);
  }
}

// ---- Loading and the outputs --------------------------------------------------------------------

bool MainWindow::load() {
  try {
    m_connections = m_tree->loadWhereString(withCrLf(m_whereEdit->toPlainText()), m_tables->aml());
    m_loadFailed = false;
    showMessage(QStringLiteral("Loaded. %1 join condition(s) became connections; the tree holds "
                               "the other conditions.")
                    .arg(CountConnections(m_connections)),
                false);
  } catch (const wheretree::Error& e) {
    m_connections.clear();
    m_loadFailed = true;
    showMessage(QStringLiteral("The WHERE text could not be loaded completely: %1. The tree shows "
                               "what was read before the problem.")
                    .arg(QString::fromStdString(e.Message())),
                true);
  }
  m_tree->treeView()->expandAll();
  showJoins();
  refreshOutputs();
  return !m_loadFailed;
}

void MainWindow::showMessage(const QString& text, bool error) {
  m_message->setText(text);
  m_message->setStyleSheet(error ? QStringLiteral("color: #b71c1c; font-weight: bold;")
                                 : QStringLiteral("color: #1b5e20;"));
}

QString MainWindow::loadMessage() const {
  return m_message->text();
}

void MainWindow::scheduleRefresh() {
  if (m_refreshPending) return;
  m_refreshPending = true;
  QTimer::singleShot(0, this, &MainWindow::refreshOutputs);
}

void MainWindow::refreshOutputs() {
  m_refreshPending = false;
  try {
    m_outputs[static_cast<int>(Output::where)]->setPlainText(withLf(QString::fromStdU16String(
        PreviewWhereString(m_tree->control().TvWhere(), m_indent->value()))));
  } catch (const wheretree::Error& e) {
    m_outputs[static_cast<int>(Output::where)]->setPlainText(
        QStringLiteral("The tree cannot be written: %1").arg(QString::fromStdString(e.Message())));
  }
}

void MainWindow::showJoins() {
  outputEdit(Output::aml)->setPlainText(withLf(m_connections));
  try {
    const JoinTexts joins = WriteJoins(m_connections);
    outputEdit(Output::ansi)->setPlainText(withLf(joins.ansi));
    outputEdit(Output::oracleFrom)->setPlainText(withLf(joins.oracleFrom));
    outputEdit(Output::oracleWhere)->setPlainText(withLf(joins.oracleWhere));
  } catch (const wheretree::Error& e) {
    const QString text =
        QStringLiteral("The joins cannot be written: %1").arg(QString::fromStdString(e.Message()));
    for (Output o : {Output::ansi, Output::oracleFrom, Output::oracleWhere}) {
      outputEdit(o)->setPlainText(text);
    }
  }
}

QPlainTextEdit* MainWindow::outputEdit(Output which) const {
  return m_outputs[static_cast<int>(which)];
}

QString MainWindow::outputText(Output which) const {
  return outputEdit(which)->toPlainText();
}

void MainWindow::copyOutput(Output which) {
  QApplication::clipboard()->setText(outputText(which));
  statusBar()->showMessage(QStringLiteral("Copied."), 2000);
}

// ---- Editing ------------------------------------------------------------------------------------

void MainWindow::addCondition(int typeLogic) {
  bool ok = false;
  const QString text = QInputDialog::getText(
      this, QStringLiteral("Add condition"),
      QStringLiteral("Condition (added at the end of the selected node's group):"),
      QLineEdit::Normal, QString(), &ok);
  if (ok) m_tree->addNode(text, typeLogic);
}

void MainWindow::askRenameAlias() {
  QDialog dialog(this);
  dialog.setWindowTitle(QStringLiteral("Rename alias"));
  auto* from = new QComboBox(&dialog);
  from->setEditable(true);
  from->addItems(m_tables->aliases());
  auto* to = new QLineEdit(&dialog);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QFormLayout(&dialog);
  layout->addRow(QStringLiteral("Alias:"), from);
  layout->addRow(QStringLiteral("New alias:"), to);
  layout->addRow(buttons);
  if (dialog.exec() == QDialog::Accepted) renameAlias(from->currentText(), to->text());
}

void MainWindow::renameAlias(const QString& oldAlias, const QString& newAlias) {
  if (oldAlias.trimmed().isEmpty()) return;
  try {
    m_tree->replaceAliasName(oldAlias.trimmed(), newAlias.trimmed());
    m_connections = RenameAliasInConnections(m_connections, oldAlias.trimmed(), newAlias.trimmed());
    showJoins();
    statusBar()->showMessage(
        QStringLiteral("Alias %1 renamed to %2 in the tree and the joins.").arg(oldAlias, newAlias),
        4000);
  } catch (const wheretree::Error& e) {
    showMessage(QStringLiteral("The alias could not be renamed: %1")
                    .arg(QString::fromStdString(e.Message())),
                true);
  }
}

// ---- Files --------------------------------------------------------------------------------------

bool MainWindow::openWhereFile(const QString& path) {
  QString error;
  const QString text = readText(path, &error);
  if (!error.isEmpty()) {
    showMessage(error, true);
    return false;
  }
  m_whereEdit->setPlainText(withLf(text));
  rememberFile(QStringLiteral("where"), path);
  return true;
}

bool MainWindow::openTableListFile(const QString& path) {
  QString error;
  const QString text = readText(path, &error);
  if (!error.isEmpty()) {
    showMessage(error, true);
    return false;
  }
  try {
    const QStringList notes = m_tables->setAml(text);
    if (!notes.isEmpty()) showMessage(notes.join(QLatin1Char(' ')), true);
  } catch (const wheretree::Error& e) {
    showMessage(QStringLiteral("%1 is not a table list: %2")
                    .arg(QFileInfo(path).fileName(), QString::fromStdString(e.Message())),
                true);
    return false;
  }
  rememberFile(QStringLiteral("tables"), path);
  return true;
}

bool MainWindow::saveWhereFile(const QString& path) {
  QString error;
  if (!writeText(path, m_whereEdit->toPlainText(), &error)) {
    showMessage(error, true);
    return false;
  }
  rememberFile(QStringLiteral("where"), path);
  return true;
}

bool MainWindow::saveWrittenWhereFile(const QString& path) {
  QString error;
  if (!writeText(path, outputText(Output::where).trimmed() + QLatin1Char('\n'), &error)) {
    showMessage(error, true);
    return false;
  }
  rememberFile(QStringLiteral("where"), path);
  return true;
}

bool MainWindow::saveTableListFile(const QString& path) {
  QString error;
  if (!writeText(path, m_tables->aml(), &error)) {
    showMessage(error, true);
    return false;
  }
  rememberFile(QStringLiteral("tables"), path);
  return true;
}

void MainWindow::rememberFile(const QString& kind, const QString& path) {
  const QString entry = kind + QLatin1Char(':') + QFileInfo(path).absoluteFilePath();
  QStringList recent = m_settings.value(QStringLiteral("recentFiles")).toStringList();
  recent.removeAll(entry);
  recent.prepend(entry);
  while (recent.size() > kMaxRecentFiles) recent.removeLast();
  m_settings.setValue(QStringLiteral("recentFiles"), recent);
  showRecentFiles();
}

void MainWindow::showRecentFiles() {
  m_recentMenu->clear();
  const QStringList recent = m_settings.value(QStringLiteral("recentFiles")).toStringList();
  for (const QString& entry : recent) {
    const QString kind = entry.section(QLatin1Char(':'), 0, 0);
    const QString path = entry.section(QLatin1Char(':'), 1);
    const bool tables = kind == QLatin1String("tables");
    auto* a = m_recentMenu->addAction(
        (tables ? QStringLiteral("Tables: ") : QStringLiteral("WHERE: ")) + path);
    connect(a, &QAction::triggered, this,
            [this, tables, path] { tables ? openTableListFile(path) : openWhereFile(path); });
  }
  m_recentMenu->setEnabled(!recent.isEmpty());
}

void MainWindow::loadExample() {
  QString error;
  m_whereEdit->setPlainText(
      withLf(readText(QStringLiteral(":/wheretree-gui/example.sql"), &error)));
  m_tables->setAml(readText(QStringLiteral(":/wheretree-gui/example.aml"), &error));
  load();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  m_tree->writeProperties(m_settings);
  m_settings.setValue(QStringLiteral("output/indent"), m_indent->value());
  m_settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
  QMainWindow::closeEvent(event);
}
