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
  char16_t* const kept_units = out.data();
  std::size_t kept = 0;
  // Whether the last unit kept is a space; nothing kept yet counts as one (no space at the
  // start). Every unit is written, and a space after a space is then not counted: no branch
  // depends on the text but the rare CR LF test.
  bool after_space = true;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    char16_t c = text[i];
    if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') [[unlikely]] {
      c = u' ';
      ++i;
    }
    const bool space = c == u' ';
    kept_units[kept] = c;
    kept += static_cast<std::size_t>(!(space && after_space));
    after_space = space;
  }
  if (kept > 0 && kept_units[kept - 1] == u' ') --kept;  // the run at the end
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
