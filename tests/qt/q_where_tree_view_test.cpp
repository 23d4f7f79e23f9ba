// The real widget driven with the mouse and keyboard on the offscreen platform: selection, the
// right double-click toggle, drag and drop, label editing with vetoes, deletion with its notice,
// and the properties with their persistence in QSettings.
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include "control/condition_tree.h"
#include "qt/q_where_tree_view.h"

using wheretree::NodeRef;

namespace {

struct Fixture {
  explicit Fixture(const QString& where) {
    view.resize(400, 300);
    view.show();
    if (!where.isEmpty()) view.loadWhereString(where);
    view.treeView()->expandAll();
  }
  QModelIndex indexOf(const QString& text) const {
    for (const auto& node : const_cast<QWhereTreeView&>(view).control().TvWhere().Nodes().All()) {
      if (QString::fromStdU16String(node->Text()) == text) return view.model()->indexOf(node.get());
    }
    return {};
  }
  NodeRef node(const QString& text) const { return view.nodeAt(indexOf(text)); }
  QPoint pointOf(const QModelIndex& index) const {
    return view.treeView()->visualRect(index).center();
  }
  QPoint pointOf(const QString& text) const { return pointOf(indexOf(text)); }
  QWidget* viewport() const { return view.treeView()->viewport(); }
  // A double-click as Qt delivers it: press, release, press, double-click, release.
  void doubleClick(Qt::MouseButton button, const QPoint& at) const {
    QTest::mouseClick(viewport(), button, {}, at);
    QTest::mousePress(viewport(), button, {}, at);
    QTest::mouseDClick(viewport(), button, {}, at);
    QTest::mouseRelease(viewport(), button, {}, at);
  }

  QWhereTreeView view;
};

}  // namespace

class QWhereTreeViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { wheretree::CurrentNode() = nullptr; }

  void clickSelectsAndSetsTheCurrentNode() {
    Fixture f(QStringLiteral("a = 1 And b = 2"));
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    QSignalSpy clicks(&f.view, &QWhereTreeView::nodeClick);
    qint16 pressed = 0;
    connect(&f.view, &QWhereTreeView::mouseDown,
            [&pressed](qint16& button, qint16&, float&, float&) { pressed = button; });

    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.pointOf(QStringLiteral("b = 2")));
    const NodeRef b = f.node(QStringLiteral("b = 2"));
    QCOMPARE(wheretree::CurrentNode(), b);
    QCOMPARE(f.view.control().TvWhere().SelectedItem(), b);
    QCOMPARE(f.view.control().TvWhere().DropHighlight(), b);
    QCOMPARE(f.view.treeView()->currentIndex(), f.indexOf(QStringLiteral("b = 2")));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(pressed, qint16{1});

    // The keyboard moves the current node too.
    QTest::keyClick(f.view.treeView(), Qt::Key_Up);
    QCOMPARE(wheretree::CurrentNode(), f.node(QStringLiteral("a = 1")));
  }

  void rightDoubleClickTogglesAndOr() {
    Fixture f(QStringLiteral("a = 1 And (b = 2 Or c = 3)"));
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    const QModelIndex root = f.view.model()->index(0, 0);
    const QModelIndex level = f.view.model()->index(1, 0, root);
    const QModelIndex c = f.indexOf(QStringLiteral("c = 3"));
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.pointOf(QStringLiteral("a = 1")));

    const struct {
      const char* what;
      QModelIndex at;
      QModelIndex changed;
      int before, after;
    } cases[] = {
        {"an And level becomes Or", level, level, 2, 3},
        {"an Or condition becomes And", c, c, 5, 4},
        {"the Or level turns back", level, level, 3, 2},
        {"the root has no connective", root, root, 6, 6},
    };
    for (const auto& k : cases) {
      QCOMPARE(k.changed.data(WhereTreeModel::ImageRole).toInt(), k.before);
      f.doubleClick(Qt::RightButton, f.pointOf(k.at));
      QVERIFY2(k.changed.data(WhereTreeModel::ImageRole).toInt() == k.after, k.what);
    }
    // A left double-click toggles nothing; right presses never moved the selection.
    f.doubleClick(Qt::LeftButton, f.pointOf(c));
    QCOMPARE(c.data(WhereTreeModel::ImageRole).toInt(), 4);
    QCOMPARE(wheretree::CurrentNode(), f.node(QStringLiteral("c = 3")));
  }

  void dragAndDropSwapsTwoConditions() {
    Fixture f(QStringLiteral("a = 1 And b = 2 Or c = 3"));
    QVERIFY(QTest::qWaitForWindowExposed(&f.view));
    const QPoint from = f.pointOf(QStringLiteral("a = 1"));
    const QPoint to = f.pointOf(QStringLiteral("c = 3"));
    const QModelIndex first = f.indexOf(QStringLiteral("a = 1"));
    const QModelIndex last = f.indexOf(QStringLiteral("c = 3"));

    // The gesture as the tree delivers it: press on a node, the drag starts, moves, drops.
    QTest::mousePress(f.viewport(), Qt::LeftButton, {}, from);
    std::int32_t effects = 0;
    f.view.control().TvWhere_OLEStartDrag(effects);
    QCOMPARE(effects, 1);
    std::unique_ptr<QMimeData> data(f.view.model()->mimeData({first}));
    QDragEnterEvent enter(from, Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(f.viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(to, Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(f.viewport(), &move);
    QVERIFY(move.isAccepted());
    QVERIFY(last.data(WhereTreeModel::DropHighlightRole).toBool());
    QVERIFY(last.data(Qt::BackgroundRole).isValid());  // the highlight is drawn while dragging

    QDropEvent drop(to, Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(f.viewport(), &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(first.data().toString(), QStringLiteral("c = 3"));
    QCOMPARE(last.data().toString(), QStringLiteral("a = 1"));
    QCOMPARE(f.view.treeView()->currentIndex(), last);
    QVERIFY(!f.view.control().IsDragging());
    QCOMPARE(f.view.createWhereString(), QStringLiteral("\r\nc = 3 And \r\nb = 2 Or \r\na = 1"));
  }

  void labelEditingCanBeVetoedOrChanged() {
    Fixture f(QStringLiteral("a = 1 And b = 2"));
    f.view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.view));
    const QModelIndex b = f.indexOf(QStringLiteral("b = 2"));
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.pointOf(b));

    qint16 refuse_start = 1, refuse_end = 0;
    QString suffix;
    connect(&f.view, &QWhereTreeView::beforeLabelEdit,
            [&](qint16& cancel) { cancel = refuse_start; });
    connect(&f.view, &QWhereTreeView::afterLabelEdit, [&](qint16& cancel, QString& text) {
      cancel = refuse_end;
      text += suffix;
    });
    const auto editTo = [&](const QString& text) -> bool {
      QTest::keyClick(f.view.treeView(), Qt::Key_F2);
      auto* editor = qobject_cast<QLineEdit*>(f.view.treeView()->indexWidget(b));
      if (editor == nullptr || !editor->isVisible()) return false;
      editor->selectAll();
      QTest::keyClicks(editor, text);
      QTest::keyClick(editor, Qt::Key_Return);
      QApplication::processEvents();  // the delegate commits on the next turn of the event loop
      return true;
    };

    QVERIFY(!editTo(QStringLiteral("b = 3")));  // BeforeLabelEdit refused the edit
    refuse_start = 0;
    refuse_end = 1;
    QVERIFY(editTo(QStringLiteral("b = 3")));
    QCOMPARE(b.data().toString(), QStringLiteral("b = 2"));  // AfterLabelEdit vetoed it
    refuse_end = 0;
    suffix = QStringLiteral(" Or b Is Null");
    QVERIFY(editTo(QStringLiteral("b = 3")));
    QCOMPARE(b.data().toString(), QStringLiteral("b = 3 Or b Is Null"));

    // Manual mode: the user cannot start an edit, the host can.
    f.view.setLabelEdit(1);
    QVERIFY(!editTo(QStringLiteral("b = 4")));
    QVERIFY(f.view.startLabelEdit());
  }

  void deleteShowsItsNoticeThroughTheHook() {
    Fixture f(QStringLiteral("a = 1 And b = 2"));
    QStringList notices;
    f.view.setMessageHook(
        [&notices](const QString& text, const QString& title, wheretree::MessageIcon icon) {
          notices << title + QLatin1Char('|') + text;
          QCOMPARE(icon, wheretree::MessageIcon::critical);
        });
    QCOMPARE(f.view.deleteNode(), QString());  // nothing clicked: no current node
    QCOMPARE(notices, QStringList{QStringLiteral("Attention |Node isn't deleted !")});

    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.pointOf(QStringLiteral("a = 1")));
    QCOMPARE(f.view.deleteNode(), QStringLiteral("a = 1"));
    const QModelIndex root = f.view.model()->index(0, 0);
    QCOMPARE(f.view.model()->rowCount(root), 1);
    QCOMPARE(f.view.model()->index(0, 0, root).data(WhereTreeModel::ImageRole).toInt(), 7);
    QCOMPARE(notices.size(), 1);
  }

  void propertiesConvertAndPersist() {
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("control.ini")), QSettings::IniFormat);
    QWhereTreeView first;
    QCOMPARE(first.indentation(), 200.0);
    QCOMPARE(first.treeView()->indentation(), qRound(200.0 * first.logicalDpiX() / 1440.0));
    first.writeProperties(settings);
    QVERIFY(settings.allKeys().isEmpty());  // defaults are not stored

    auto list = std::make_shared<QWhereImageList>(QStringLiteral("Red"));
    QPixmap red(16, 16);
    red.fill(Qt::red);
    for (int i = 1; i <= 7; ++i) {
      list->addIcon(QStringLiteral("k%1").arg(i), QString(), QIcon(red));
    }
    first.setIndentation(480);
    first.setLabelEdit(1);
    first.setImageList(list);
    QCOMPARE(first.treeView()->indentation(), qRound(480.0 * first.logicalDpiX() / 1440.0));
    first.writeProperties(settings);

    QWhereTreeView second;
    second.readProperties(settings);
    QCOMPARE(second.indentation(), 480.0);
    QCOMPARE(second.labelEdit(), 1);
    QCOMPARE(second.control().TvWhere().Nodes().Count(), 1);  // still one root
    const auto restored = second.imageList();
    QCOMPARE(restored->Count(), 7);
    QCOMPARE(QString::fromStdU16String(restored->Name()), QStringLiteral("Red"));
    QCOMPARE(restored->icon(3).pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
    const QModelIndex root = second.model()->index(0, 0);
    QCOMPARE(root.data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage().pixelColor(8, 8),
             QColor(Qt::red));

    // A stored value that is not a number is reported, not read as some number.
    settings.setValue(QStringLiteral("WhereTreeViewControl/Indentation"), QStringLiteral("wide"));
    QVERIFY_THROWS_EXCEPTION(wheretree::Error, second.readProperties(settings));

    second.setImageList(nullptr);  // nothing: the built-in pictures again
    QCOMPARE(second.imageList()->Count(), 7);
    QCOMPARE(QString::fromStdU16String(second.imageList()->Item(6).key),
             QStringLiteral("LevelWhere"));
    QVERIFY(!root.data(Qt::DecorationRole).value<QIcon>().isNull());
  }

  void designModeKeepsTheTreeEmpty() {
    QWhereTreeView designed(QWhereTreeView::DesignMode);
    QVERIFY(designed.isDesignMode());
    QCOMPARE(designed.model()->rowCount(), 0);
    QWhereTreeView running;
    QCOMPARE(running.model()->rowCount(), 1);
  }
};

QTEST_MAIN(QWhereTreeViewTest)
#include "q_where_tree_view_test.moc"
