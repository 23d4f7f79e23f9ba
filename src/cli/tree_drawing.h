#pragma once

// Drawing the condition tree for a person: one node per line under the root WHERE, each member
// after the first of its level with the connective that joins it to the one before.

#include <string>
#include <string_view>

#include "control/tree_view.h"

namespace wheretree::cli {

/// Box-drawing characters or plain ASCII.
enum class TreeStyle { ascii, unicode };

/// Below this depth lines are no longer indented further; such a node's line says its depth
/// instead, so a deeply nested text cannot make the drawing grow with the square of its size.
inline constexpr int kMaxDrawnDepth = 64;

/// Box characters when standard output is a terminal and the locale (the first of LC_ALL,
/// LC_CTYPE, LANG that is set and not empty) names the UTF-8 character set; ASCII otherwise.
///   AutoTreeStyle(true, nullptr, nullptr, "en_US.UTF-8") -> TreeStyle::unicode
///   AutoTreeStyle(false, nullptr, nullptr, "en_US.UTF-8") -> TreeStyle::ascii
TreeStyle AutoTreeStyle(bool stdout_is_terminal, const char* lc_all, const char* lc_ctype,
                        const char* lang);

/// UTF-8 of a text for one line of a terminal: CR, LF and the other control characters but the
/// tab are shown as \r, \n and \xNN.  TerminalText(u"a\rb\x1b") -> "a\\rb\\x1b"
std::string TerminalText(std::u16string_view text);

/// The line text of one node, without the branch lines: "WHERE" for the root, "(...)" for a
/// level, the condition text otherwise (control characters shown as \r, \n or \xNN), after
/// "And " or "Or " when the node has a previous sibling and its image gives a connective.
///   a condition "b = 2" with image 5 after a sibling -> "Or b = 2"
std::string NodeLabel(const TreeNode& node);

/// The whole tree in UTF-8, one line per node, every line ending in "\n"; "" for a tree
/// without nodes. Works without recursion.
///   WHERE
///   |-- a = 1
///   `-- And (...)
///       |-- b = 2
///       `-- Or c = 3
std::string DrawTree(const TreeView& tree, TreeStyle style);

}  // namespace wheretree::cli
