#pragma once

// The WHERE text the tree stands for, written without touching the tree. CreateWhereString
// prunes empty levels as it writes; the app shows its output after every edit, and pruning there
// would take away a level the user has just added and not filled yet.

#include <cstdint>
#include <string>

#include "control/tree_view.h"

/// Writes what CreateWhereString(sdvig) would return for `tree`, from a scratch copy of it.
/// "" for a tree without nodes.
///   root { A; empty level (image 2); B (image 4) }, sdvig 0 -> "\r\nA And \r\nB"
std::u16string PreviewWhereString(const wheretree::TreeView& tree, std::int32_t sdvig);
