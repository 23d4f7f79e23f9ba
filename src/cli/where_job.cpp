#include "cli/where_job.h"

#include "cli/exit_status.h"
#include "common/error.h"
#include "common/text.h"
#include "joins/c_connects.h"

namespace wheretree::cli {

void WriteJoins(const std::u16string& aml, JobResult& result) {
  c_connects joins;
  std::u16string list = aml;  // the reader takes its text by reference
  joins.LoadAmlString(list);
  result.oracle_from = joins.FromOracle(false);
  result.oracle_where = joins.CreJoinOracle(false);
  for (std::int32_t i = 1; i <= joins.Count(); ++i) {
    const std::shared_ptr<c_connect> c = joins.Item(i);
    result.connections.push_back({c->t_from(), c->t_from_ali(), c->p_from(), c->t_to(),
                                  c->t_to_ali(), c->p_to(), c->tp_con(), c->con_con()});
  }
  result.ansi = joins.CreJoinAnsi(false);
}

JobResult RunWhereJob(WhereTreeViewControl& control, JobInput input) {
  JobResult result;
  try {
    result.aml = control.LoadWhereString(input.where, input.tables);
  } catch (const Error& error) {
    throw Failure::FromError("cannot load the WHERE text with its table list", error);
  }
  for (const auto& [old_alias, new_alias] : input.renames) {
    try {
      control.ReplaceAliasName(old_alias, new_alias);
    } catch (const Error& error) {
      throw Failure::FromError(
          "cannot rename the alias \"" + ToUtf8(old_alias) + "\" to \"" + ToUtf8(new_alias) + "\"",
          error);
    }
  }
  try {
    result.where = control.CreateWhereString(input.indent);
  } catch (const Error& error) {
    throw Failure::FromError("cannot write the WHERE text back", error);
  }
  try {
    WriteJoins(result.aml, result);
  } catch (const Error& error) {
    throw Failure::FromError("cannot write the joins taken out", error);
  }
  return result;
}

}  // namespace wheretree::cli
