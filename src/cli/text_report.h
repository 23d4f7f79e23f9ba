#pragma once

// The default output, for a person: the joins taken out as an ANSI FROM clause, the WHERE text
// that remains, and the condition tree.

#include <string>
#include <string_view>

#include "cli/tree_drawing.h"
#include "cli/where_job.h"
#include "control/tree_view.h"

namespace wheretree::cli {

/// The report in UTF-8 with "\n" line breaks:
///   Joins taken out of the WHERE text: 1
///     FROM EMP e LEFT OUTER JOIN DEPT d ON e.dept_id = d.id
///
///   Remaining WHERE text:
///     e.sal > 9
///
///   Condition tree:
///   WHERE
///   `-- e.sal > 9
std::string TextReport(const JobResult& result, const TreeView& tree, TreeStyle style);

/// The lines of a text the library wrote with CR LF breaks, each shown with TerminalText and
/// ended by "\n"; the break the WHERE writer puts before the first member gives no empty line.
///   ReportLines(u"\r\n  a = 1 And \r\n  b = 2") -> "  a = 1 And \n  b = 2\n"
std::string ReportLines(std::u16string_view text);

}  // namespace wheretree::cli
