#pragma once

#include <string>

#include "control/tree_view.h"

namespace wheretree {

/// Parses a prepared WHERE text (line breaks turned into spaces, trimmed, runs of spaces
/// collapsed) into members of `parent`: a bracket group at the start of a member becomes a level
/// node (tag "-1") holding the group's own members, every other member a condition node holding
/// its text. Members are split at " And " and " Or " (one space on each side, any letter case)
/// outside the member's bracket groups.
///
///   a.id = b.id And (x > 1 Or y LIKE 'a%') And f(z, 2) = 3
///   -> LP_2 "a.id = b.id" (no image), LP_3 level (image 2) { LP_4 "x > 1", LP_5 "y LIKE 'a%'"
///      (image 5) }, LP_6 "f(z, 2) = 3" (image 4)
///
/// Keys are "LP_" + (node count + 1). A condition gets the kind of the separator before it as its
/// image (4 And, 5 Or; none as the first member); a level gets that kind minus 2, or 1 as the
/// first member.
///
/// `where` is consumed: it is "" when the call returns. On failure it keeps the text from the
/// top-level member being parsed, and the nodes added so far stay in the tree:
/// - overflow: the text is longer than 32767 characters, or the tree is full;
/// - invalid_argument: a member begins with "(" that is never closed (or closes too far away).
///
/// Text the bracket grammar does not foresee is kept, never dropped:
/// - a group followed by something other than " And ", " Or " or the end, as in
///   "(a + b) > 3 And c = 1" or "(a = 1)And b = 2", makes the whole member one condition
///   ("(a + b) > 3");
/// - a member with an unmatched "(" after other text, as in "x LIKE 'a(%' And y = 1", keeps the
///   rest of its level as one condition: the bracket may be quoted text, so the text stays whole.
/// Nesting of any depth is parsed without recursion.
void ParseWhereToTree(std::u16string& where, const NodeRef& parent, TreeNodes& nodes);

}  // namespace wheretree
