#pragma once

// The whole tool as a function: parse the command line, gather the inputs, run the job on a
// WhereTreeViewControl and print what was asked for.

#include <ostream>

#include "cli/cli_options.h"
#include "cli/where_job.h"

namespace wheretree::cli {

/// Facts about the process's environment that change what the tool does.
struct Environment {
  bool stdin_is_terminal = false;   ///< no WHERE_FILE then is a usage error instead of a wait
  bool stdout_is_terminal = false;  ///< with a UTF-8 locale, the tree is drawn with box lines
  const char* lc_all = nullptr;
  const char* lc_ctype = nullptr;
  const char* lang = nullptr;
};

/// Runs the tool; returns the exit status (0 done, 1 input not read or not loaded, 2 usage).
///   RunCli(argc, argv, std::cout, std::cerr, env) with "--format where a.where" prints the
///   remaining WHERE text of a.where and returns 0.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           const Environment& env);

/// The job's input from the parsed options: the WHERE text with CR LF line breaks, the table
/// list of --tables followed by the --table blocks, the renames and the indentation.
/// Failure::Usage, Failure::Io or Failure::FromError (text that is not UTF-8) otherwise.
JobInput GatherInput(const CliOptions& options, const Environment& env);

}  // namespace wheretree::cli
