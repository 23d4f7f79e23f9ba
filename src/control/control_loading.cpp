// Loading a WHERE text into the control: the tree is rebuilt, the joins leave it as connections.
#include <algorithm>
#include <string_view>
#include <vector>

#include "catalogue/tables.h"
#include "control/where_tree_view_control.h"
#include "joins/c_connects.h"
#include "sqltext/join_extraction.h"
#include "sqltext/where_parser.h"

namespace wheretree {
namespace {

// "a = 1\r\nAnd  b = 2 " -> "a = 1 And b = 2": each CR LF pair becomes a space, then the spaces
// at both ends go and every run of spaces becomes one, all in one pass.
std::u16string PrepareWhereText(std::u16string_view text) {
  std::u16string out(text.size(), u'\0');
  std::size_t kept = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Most characters are neither a space nor a carriage return: such a run is copied whole.
    std::size_t run = i;
    while (run < text.size() && text[run] > u' ') ++run;
    if (run > i) {
      std::copy(text.begin() + static_cast<std::ptrdiff_t>(i),
                text.begin() + static_cast<std::ptrdiff_t>(run),
                out.begin() + static_cast<std::ptrdiff_t>(kept));
      kept += run - i;
      i = run;
      if (i == text.size()) break;
    }
    char16_t c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      c = u' ';
      ++i;
    }
    // A space is kept only after a character other than a space: none at the start, one per run.
    if (c == u' ' && (kept == 0 || out[kept - 1] == u' ')) continue;
    out[kept++] = c;
  }
  if (kept > 0 && out[kept - 1] == u' ') --kept;  // the run at the end
  out.resize(kept);
  return out;
}

}  // namespace

std::u16string WhereTreeViewControl::LoadWhereString(std::u16string& InputWhereString,
                                                     const std::u16string& inAmlTablePoles) {
  InputWhereString = PrepareWhereText(InputWhereString);
  tree_.Nodes().Clear();
  node_counter_ = 0;
  TypeOfLogic logic = TypeOfLogic::LevelAnd;
  const NodeRef root = CreateLevelNode(logic, tree_, node_counter_);
  ParseWhereToTree(InputWhereString, root, tree_.Nodes());
  node_counter_ = tree_.Nodes().Count();
  tree_.Nodes().Item(node_counter_)->EnsureVisible();

  tables catalogue;
  c_connects connections;
  std::u16string table_list = inAmlTablePoles;
  catalogue.AddFromAml(table_list);
  ExtractJoins(root, catalogue, connections);

  // Joined nodes go last index first, so the indexes still to visit stay valid. A removal
  // takes only the node's own subtree, whose nodes come later in index order and so were
  // visited before it: the joined nodes can be listed first and removed after.
  std::vector<NodeRef> joined;
  tree_.Nodes().ForEach([&](TreeNode& node) {
    if (IsJoinedNode(node)) joined.push_back(node.shared_from_this());
  });
  for (auto it = joined.rbegin(); it != joined.rend(); ++it) {
    if (!(*it)->IsRemoved()) RemoveTreeNode(*it, tree_);
  }
  PruneEmptyLevels(root, tree_);
  return connections.CreateAmlString();
}

}  // namespace wheretree
