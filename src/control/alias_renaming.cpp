#include "control/alias_renaming.h"

#include "common/text.h"
#include "sqltext/text_utils.h"

namespace wheretree {

void ReplaceAliasInNodes(const std::u16string& OldAliasName, const std::u16string& NewAliasName,
                         TreeView& tree) {
  // The comparison operators first, so "<>", ">=" and "<=" win over "<" and ">".
  const StringArray separators =
      SplitAtCommas(std::u16string(u"=,<>,>=,<=,>,<") + u"," + u"+,-,*,/,\\" + u",.");
  const std::int32_t count = tree.Nodes().Count();
  for (std::int32_t i = 1; i <= count; ++i) {
    const NodeRef node = tree.Nodes().Item(i);
    if (node->Text().empty()) continue;
    //   " a .x = b.y"  ->  pieces " a ", "x ", " b", "y"  found ".", "=", "."
    StringArray found;
    StringArray pieces = SplitBySeparators(node->Text(), separators, found);
    for (std::int32_t k = 0; k < pieces.UBound(); ++k) {
      if (found.At(k) == u"." && EqualsIgnoreCase(TrimSpaces(pieces.At(k)), OldAliasName)) {
        pieces.At(k) = NewAliasName;
      }
    }
    node->Text(JoinPieces(pieces, found));
  }
}

}  // namespace wheretree
