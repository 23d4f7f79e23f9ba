#pragma once

#include <string>

#include "control/tree_view.h"

namespace wheretree {

/// Renames a table alias in the text of every node of `tree`. Each text is split at the
/// separators =, <>, >=, <=, >, <, +, -, *, /, \ and "."; a piece followed by "." whose text,
/// without its surrounding spaces, equals OldAliasName ignoring letter case is replaced whole
/// (spaces included) by NewAliasName. Every text is joined again, changed or not (a separator at
/// the very end of a text is lost).
///   "a.x = b.y" (a -> c) -> "c.x = b.y";  "x = a" stays;  "A .X = 1" -> "c.X = 1"
void ReplaceAliasInNodes(const std::u16string& OldAliasName, const std::u16string& NewAliasName,
                         TreeView& tree);

}  // namespace wheretree
