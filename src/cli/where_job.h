#pragma once

// The tool's main job on a control: load a WHERE text with its table list, rename aliases, write
// the rest of the WHERE text back, and write the joins taken out as AML, ANSI and Oracle text.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "control/where_tree_view_control.h"

namespace wheretree::cli {

/// One connection, field by field, as the connection collection holds it.
struct ConnectionRecord {
  std::u16string t_from;
  std::u16string t_from_ali;
  std::u16string p_from;
  std::u16string t_to;
  std::u16string t_to_ali;
  std::u16string p_to;
  std::int32_t tp_con = 0;
  std::int32_t con_con = 0;
};

/// What the job is given.
struct JobInput {
  std::u16string where;   ///< the WHERE text, line breaks already CR LF
  std::u16string tables;  ///< the AML table list, handed to the load unchanged
  std::vector<std::pair<std::u16string, std::u16string>> renames;  ///< OLD -> NEW, in order
  std::int16_t indent = 0;  ///< the sdvig of CreateWhereString
};

/// What the job produces.
struct JobResult {
  std::u16string aml;           ///< the AML connection list LoadWhereString returned
  std::u16string where;         ///< CreateWhereString(indent) after the renames
  std::u16string ansi;          ///< CreJoinAnsi(false) of the connections read back from aml
  std::u16string oracle_from;   ///< FromOracle(false), likewise
  std::u16string oracle_where;  ///< CreJoinOracle(false), likewise
  std::vector<ConnectionRecord> connections;  ///< the connections read back, in order
};

/// Runs the job on `control`; the control's tree is left as the job leaves it, also when a step
/// fails, which ends the job with Failure::FromError naming the step.
///   RunWhereJob(control, {u"e.dept_id = d.id(+) And e.sal > 9", tables, {}, 2})
///     -> where u"\r\n  e.sal > 9", one connection with tp_con 1
JobResult RunWhereJob(WhereTreeViewControl& control, JobInput input);

/// Reads an AML connection list into a fresh connection collection and writes it as Oracle FROM
/// list, Oracle conditions and, last because it empties the collection, ANSI joins.
void WriteJoins(const std::u16string& aml, JobResult& result);

}  // namespace wheretree::cli
