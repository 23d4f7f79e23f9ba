// Showing a large condition tree in the Qt widget: a WHERE text of 3 000 nodes is loaded into a
// shown QWhereTreeView, every level is expanded and the view is painted, as a user opening a
// big query sees it. Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeView>
#include <cstdlib>

#include "qt/q_where_tree_view.h"

namespace {

// 300 bracketed groups of 9 conditions each, joined by Or inside and And between: 3 000 nodes
// below the root, about 28 000 characters.
//   "(a0=1 Or a1=1 Or ... Or a8=1) And (a9=1 Or ...)"
QString ThreeThousandNodes() {
  QString where;
  int n = 0;
  for (int group = 0; group < 300; ++group) {
    if (group > 0) where += QStringLiteral(" And ");
    where += QLatin1Char('(');
    for (int i = 0; i < 9; ++i, ++n) {
      if (i > 0) where += QStringLiteral(" Or ");
      where += QStringLiteral("a%1=1").arg(n);
    }
    where += QLatin1Char(')');
  }
  return where;
}

void ShowLargeTree(benchmark::State& state) {
  const QString where = ThreeThousandNodes();
  QWhereTreeView view;
  view.resize(800, 600);
  view.show();
  QApplication::processEvents();
  for (auto _ : state) {
    view.loadWhereString(where, QString());
    view.treeView()->expandAll();
    view.treeView()->viewport()->repaint();
    QApplication::processEvents();
  }
  state.counters["nodes"] = view.control().TvWhere().Nodes().Count();
}
BENCHMARK(ShowLargeTree)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
