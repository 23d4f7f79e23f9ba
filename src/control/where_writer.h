#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "control/tree_view.h"

namespace wheretree {

/// The connective that joins a node to its previous sibling, from the decimal text of its image:
///   ConnectiveOfImage(u"2") == u" And ", ConnectiveOfImage(u"5") == u" Or ",
///   ConnectiveOfImage(u"7") == u"", ConnectiveOfImage(u"") == u"" (no image).
std::u16string ConnectiveOfImage(std::u16string_view imageText);

/// The decimal text of a node's image, "" for a node without image.
std::u16string ImageText(const TreeNode& node);

/// Writes the members of `node` as WHERE text. Every member starts a new line; the connective
/// ends the previous member's line; only the members of `node` are indented by `sdvig` spaces
/// (none when `sdvig` <= 0); nested levels are bracketed, and a condition with children is
/// written as "(" + its text + its first child's connective + its children + ")". A non-zero
/// `brackets` wraps a non-empty result in brackets.
///
///   root { A; B (image 4); level (image 3) { C; D (image 5) } }, sdvig 2 ->
///   "\r\n  A And \r\n  B Or \r\n  (\r\nC Or \r\nD)"
///
/// Works without recursion, so any depth is fine.
std::u16string WriteLevel(const NodeRef& node, std::int32_t brackets, std::int32_t sdvig);

}  // namespace wheretree
