// The item model against the core tree it mirrors: structure after loads, edits and removals
// (checked by QAbstractItemModelTester on every signal), label editing through the control, and
// drag and drop between nodes of one tree only.
#include <QAbstractItemModelTester>
#include <QtTest>

#include "control/condition_tree.h"
#include "qt/where_tree_model.h"

using wheretree::NodeRef;
using wheretree::TypeOfLogic;

namespace {

// Walks the core tree and the model side by side.
void expectMirrors(const WhereTreeModel& model, const wheretree::TreeNode* parent,
                   const QModelIndex& parent_index) {
  const int rows = model.rowCount(parent_index);
  if (parent != nullptr) QCOMPARE(rows, int{parent->Children()});
  for (int row = 0; row < rows; ++row) {
    const QModelIndex index = model.index(row, 0, parent_index);
    QVERIFY(index.isValid());
    const NodeRef node = model.nodeAt(index);
    QVERIFY(node);
    if (parent != nullptr) QCOMPARE(node.get(), parent->ChildAt(row).get());
    QCOMPARE(model.parent(index), parent_index);
    QCOMPARE(model.data(index).toString(), QString::fromStdU16String(node->Text()));
    QCOMPARE(model.indexOf(node.get()), index);
    expectMirrors(model, node.get(), index);
  }
}

NodeRef nodeWithText(wheretree::TreeView& tree, const char16_t* text) {
  for (const auto& node : tree.Nodes().All()) {
    if (node->Text() == text) return node;
  }
  return nullptr;
}

void load(wheretree::WhereTreeViewControl& control, const char16_t* where) {
  std::u16string text = where;
  control.LoadWhereString(text);
}

}  // namespace

class WhereTreeModelTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { wheretree::CurrentNode() = nullptr; }

  void mirrorsTheTreeThroughEveryChange() {
    wheretree::WhereTreeViewControl control;
    WhereTreeModel model(control);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto& tree = control.TvWhere();

    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"load", [&] { load(control, u"a = 1 And (b = 2 Or c = 3) And d = 4"); }},
        {"add a level under the root",
         [&] {
           wheretree::CurrentNode() = tree.Nodes().Item(1);
           TypeOfLogic logic = TypeOfLogic::LevelOr;
           control.AddLevel(logic);
         }},
        {"add conditions into the new level",
         [&] {
           wheretree::CurrentNode() = tree.Nodes().Item(tree.Nodes().Count());
           control.AddNode(u"e = 5", TypeOfLogic::SimpleAnd);
           control.AddNode(u"f = 6", TypeOfLogic::SimpleOr);
         }},
        {"remove a level with its members",
         [&] { wheretree::RemoveTreeNode(nodeWithText(tree, u"b = 2")->Parent(), tree); }},
        {"delete the first member of the root",
         [&] {
           wheretree::CurrentNode() = nodeWithText(tree, u"a = 1");
           control.DeleteNode();
         }},
        {"prune and write", [&] { control.CreateWhereString(0); }},
        {"load again over the edited tree", [&] { load(control, u"(x = 1 Or y = 2)"); }},
        {"load nothing", [&] { load(control, u""); }},
    };
    for (const auto& [name, step] : steps) {
      step();
      QVERIFY2(!QTest::currentTestFailed(), name);
      expectMirrors(model, nullptr, QModelIndex());
      QVERIFY2(!QTest::currentTestFailed(), name);
    }
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
  }

  void answersTheNodeRoles() {
    wheretree::WhereTreeViewControl control;
    WhereTreeModel model(control);
    load(control, u"a = 1 Or (b = 2 And c = 3)");
    const QModelIndex root = model.index(0, 0);
    const QModelIndex first = model.index(0, 0, root);
    const QModelIndex level = model.index(1, 0, root);
    QCOMPARE(model.data(root, WhereTreeModel::KeyRole).toString(), QStringLiteral("LP_1"));
    QCOMPARE(model.data(root, WhereTreeModel::ImageRole).toInt(), 6);
    QVERIFY(model.data(root, WhereTreeModel::LevelRole).toBool());
    QVERIFY(!model.data(first, WhereTreeModel::ImageRole).isValid());  // first member: no image
    QCOMPARE(model.data(level, WhereTreeModel::ImageRole).toInt(), 3);
    QVERIFY(model.data(level, Qt::ToolTipRole).toString().contains(QLatin1String("Or")));
    QVERIFY(!model.data(first, WhereTreeModel::LevelRole).toBool());

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.nodeAt(level)->Image(std::int16_t{2});
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QModelIndex>(), level);
  }

  void editsLabelsThroughTheControl() {
    wheretree::WhereTreeViewControl control;
    WhereTreeModel model(control);
    load(control, u"a = 1 And b = 2");
    const QModelIndex b = model.index(1, 0, model.index(0, 0));
    QVERIFY(model.flags(b) & Qt::ItemIsEditable);
    control.LabelEdit(1);
    QVERIFY(!(model.flags(b) & Qt::ItemIsEditable));
    model.setHostEditing(true);
    QVERIFY(model.flags(b) & Qt::ItemIsEditable);

    std::int16_t veto = 0;
    control.Events().AfterLabelEdit = [&veto](std::int16_t& cancel, std::u16string& text) {
      cancel = veto;
      text += u" -- checked";
    };
    veto = 1;
    QVERIFY(!model.setData(b, QStringLiteral("b = 3")));
    QCOMPARE(model.data(b).toString(), QStringLiteral("b = 2"));
    veto = 0;
    QVERIFY(model.setData(b, QStringLiteral("b = 3")));
    QCOMPARE(model.data(b).toString(), QStringLiteral("b = 3 -- checked"));
  }

  void dropsSwapTextsWithinOneTreeOnly() {
    wheretree::WhereTreeViewControl control;
    WhereTreeModel model(control);
    load(control, u"a = 1 And b = 2 Or (c = 3 And d = 4)");
    auto& tree = control.TvWhere();
    const QModelIndex root = model.index(0, 0);
    const QModelIndex a = model.index(0, 0, root);
    const QModelIndex b = model.index(1, 0, root);
    const QModelIndex level = model.index(2, 0, root);

    // The drag starts with a mouse-down on "a = 1".
    NodeRef under_mouse = model.nodeAt(a);
    tree.SetHitTester([&](float, float) { return under_mouse; });
    control.TvWhere_MouseDown(wheretree::kLeftButton, 0, 1, 1);
    std::int32_t effects = 0;
    control.TvWhere_OLEStartDrag(effects);
    std::unique_ptr<QMimeData> dragged(model.mimeData({a}));
    QCOMPARE(dragged->text(), QStringLiteral("a = 1"));

    wheretree::WhereTreeViewControl other;
    WhereTreeModel other_model(other);
    std::unique_ptr<QMimeData> foreign(other_model.mimeData({other_model.index(0, 0)}));
    QVERIFY(!model.canDropMimeData(foreign.get(), Qt::CopyAction, -1, -1, b));
    QVERIFY(!model.dropMimeData(foreign.get(), Qt::CopyAction, -1, -1, b));
    QCOMPARE(model.data(a).toString(), QStringLiteral("a = 1"));

    QVERIFY(model.dropMimeData(dragged.get(), Qt::CopyAction, -1, -1, b));
    QCOMPARE(model.data(a).toString(), QStringLiteral("b = 2"));
    QCOMPARE(model.data(b).toString(), QStringLiteral("a = 1"));
    QCOMPARE(tree.SelectedItem(), model.nodeAt(b));
    QVERIFY(model.data(b, WhereTreeModel::DropHighlightRole).toBool());
    QVERIFY(!control.IsDragging());
    // Images stay with their positions, so each position keeps its connective.
    QCOMPARE(model.data(b, WhereTreeModel::ImageRole).toInt(), 4);

    // A level has no text: dropping onto it (or with row/parent addressing) changes nothing.
    QVERIFY(model.dropMimeData(dragged.get(), Qt::CopyAction, 2, 0, root));
    QCOMPARE(model.data(level).toString(), QString());
    QCOMPARE(model.data(a).toString(), QStringLiteral("b = 2"));
  }
};

QTEST_MAIN(WhereTreeModelTest)
#include "where_tree_model_test.moc"
