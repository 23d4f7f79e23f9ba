// The desktop app as a person uses it: load the example, read the outputs, edit the tree, see a
// failed load explained while the tree keeps what was read, and a screenshot of the window.
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include "control/condition_tree.h"
#include "qt/app/main_window.h"
#include "qt/app/table_list_editor.h"

using Output = MainWindow::Output;

namespace {

struct App {
  App() : settings(dir.filePath(QStringLiteral("gui.ini")), QSettings::IniFormat) {}
  QTemporaryDir dir;
  QSettings settings;
  MainWindow window{settings};
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { wheretree::CurrentNode() = nullptr; }

  void exampleGivesTheTreeAndEveryOutput() {
    App app;
    app.window.loadExample();
    QVERIFY2(!app.window.lastLoadFailed(), qPrintable(app.window.loadMessage()));
    const QString where = app.window.outputText(Output::where);
    QVERIFY(where.contains(QLatin1String("E.SAL > 1000")));
    QVERIFY(!where.contains(QLatin1String("D.DEPTNO(+)")));  // the join left the tree
    QVERIFY(where.startsWith(QLatin1String("\n  ")));        // indented by the spin box (2)
    QVERIFY(app.window.outputText(Output::aml).contains(QLatin1String("<JOIN>")));
    QVERIFY(app.window.outputText(Output::ansi).contains(QLatin1String("LEFT OUTER JOIN")));
    QVERIFY(app.window.outputText(Output::oracleFrom).contains(QLatin1String("DEPT")));
    QVERIFY(app.window.outputText(Output::oracleWhere).contains(QLatin1String("(+)")));

    // Edits show in the WHERE output; an added empty level is kept in the tree, not pruned.
    auto* tree = app.window.tree();
    const int nodes = tree->control().TvWhere().Nodes().Count();
    wheretree::CurrentNode() = tree->control().TvWhere().Nodes().Item(1);
    tree->addLevel(static_cast<int>(wheretree::TypeOfLogic::LevelOr));
    tree->addNode(QStringLiteral("E.JOB = 'CLERK'"),
                  static_cast<int>(wheretree::TypeOfLogic::SimpleOr));
    app.window.refreshOutputs();
    QCOMPARE(tree->control().TvWhere().Nodes().Count(), nodes + 2);
    QVERIFY(app.window.outputText(Output::where).endsWith(QLatin1String("Or \n  E.JOB = 'CLERK'")));

    app.window.renameAlias(QStringLiteral("e"), QStringLiteral("EMP1"));
    app.window.refreshOutputs();
    QVERIFY(app.window.outputText(Output::where).contains(QLatin1String("EMP1.SAL > 1000")));
    QVERIFY(app.window.outputText(Output::ansi).contains(QLatin1String("EMP1")));
  }

  void failedLoadIsExplainedAndTheTreeKeepsWhatWasRead() {
    App app;
    app.window.whereEditor()->setPlainText(QStringLiteral("a.x = b.y\nAnd c = 1"));
    // An alias cell holding a tag leaves the table list with an unclosed "<AA>".
    app.window.tableList()->setTables(
        {{QStringLiteral("A"), QStringLiteral("a<AA>"), QStringLiteral("x")}});
    QVERIFY(!app.window.load());
    QVERIFY(app.window.loadMessage().contains(QLatin1String("could not be loaded")));
    QCOMPARE(app.window.outputText(Output::where), QStringLiteral("\n  a.x = b.y And \n  c = 1"));
    QVERIFY(app.window.outputText(Output::aml).isEmpty());
  }

  void tableListWritesAndReadsAml() {
    const QList<TableListEditor::Table> tables{
        {QStringLiteral("EMP"), QStringLiteral("E,M"), QStringLiteral("EMPNO,DEPTNO")},
        {QString(), QStringLiteral("ignored"), QString()},
        {QStringLiteral("DEPT"), QString(), QStringLiteral("DEPTNO")}};
    const QString aml = TableListEditor::writeTableList(tables);
    QCOMPARE(aml, QStringLiteral("<T>EMP<AA>E,M<AA><PP>EMPNO,DEPTNO<PP><T>"
                                 "<T>DEPT<AA><AA><PP>DEPTNO<PP><T>"));
    QStringList notes;
    QString lower = aml;
    lower.replace(QLatin1String("<T>"), QLatin1String("<t>"))
        .replace(QLatin1String("<PP>"), QLatin1String("<pp>"));
    const QList<TableListEditor::Table> read =
        TableListEditor::readTableList(QStringLiteral("junk\r\n") + lower, &notes);
    QCOMPARE(read, (QList<TableListEditor::Table>{tables[0], tables[2]}));
    QCOMPARE(notes.size(), 1);  // the text before the first block is named, not dropped silently
    QCOMPARE(
        TableListEditor::problemsOf({{QStringLiteral("T"), QStringLiteral("x<pp>"), {}}}).size(),
        1);
  }

  void filesAndRecentFiles() {
    App app;
    const QString where = app.dir.filePath(QStringLiteral("q.sql"));
    const QString tables = app.dir.filePath(QStringLiteral("q.aml"));
    app.window.whereEditor()->setPlainText(QStringLiteral("E.SAL > 1"));
    app.window.tableList()->setTables(
        {{QStringLiteral("EMP"), QStringLiteral("E"), QStringLiteral("SAL")}});
    QVERIFY(app.window.saveWhereFile(where));
    QVERIFY(app.window.saveTableListFile(tables));
    app.window.whereEditor()->clear();
    app.window.tableList()->setTables({});
    QVERIFY(app.window.openWhereFile(where));
    QVERIFY(app.window.openTableListFile(tables));
    QCOMPARE(app.window.whereEditor()->toPlainText(), QStringLiteral("E.SAL > 1"));
    QCOMPARE(app.window.tableList()->tables().size(), 1);
    const QStringList recent = app.settings.value(QStringLiteral("recentFiles")).toStringList();
    QCOMPARE(recent.size(), 2);
    QVERIFY(recent.first().startsWith(QLatin1String("tables:")));
    QVERIFY(!app.window.openWhereFile(app.dir.filePath(QStringLiteral("missing.sql"))));
    QVERIFY(app.window.loadMessage().contains(QLatin1String("Cannot open")));
  }

  void screenshotOfTheWindow() {
    App app;
    app.window.resize(1500, 860);
    app.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&app.window));
    app.window.loadExample();
    app.window.refreshOutputs();
    const QModelIndex root = app.window.tree()->model()->index(0, 0);
    app.window.tree()->treeView()->setCurrentIndex(app.window.tree()->model()->index(1, 0, root));
    QApplication::processEvents();
    const QImage shot = app.window.grab().toImage();
    QVERIFY(QDir().mkpath(QFileInfo(QStringLiteral(WHERETREE_SCREENSHOT)).path()));
    QVERIFY(shot.save(QStringLiteral(WHERETREE_SCREENSHOT)));

    // Not blank: many colours overall, and the tree itself shows more than its background.
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 3) {
      for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
    }
    QVERIFY2(colours.size() > 40, qPrintable(QString::number(colours.size())));
    auto* viewport = app.window.tree()->treeView()->viewport();
    const QImage tree = viewport->grab().toImage();
    QSet<QRgb> tree_colours;
    for (int y = 0; y < tree.height(); ++y) {
      for (int x = 0; x < tree.width(); ++x) tree_colours.insert(tree.pixel(x, y));
    }
    QVERIFY(tree_colours.size() > 10);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
