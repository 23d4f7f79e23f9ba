#include "cli/cli_run.h"

#include <CLI/CLI.hpp>

#include <exception>

#include "cli/exit_status.h"
#include "cli/input_text.h"
#include "cli/json_report.h"
#include "cli/table_option.h"
#include "cli/text_report.h"
#include "cli/tree_drawing.h"
#include "common/error.h"
#include "common/text.h"
#include "control/where_tree_view_control.h"

namespace wheretree::cli {
namespace {

// A file's text as UTF-16; `what` names it when it is not UTF-8.
std::u16string ReadText(const std::string& path, std::string_view what) {
  const std::string bytes = ReadWholeFile(path, what);
  try {
    return DecodeUtf8Input(bytes);
  } catch (const Error& error) {
    const std::string name = path == "-" ? "standard input" : "\"" + path + "\"";
    throw Failure::FromError("cannot read the " + std::string(what) + " " + name, error);
  }
}

// A command-line text as UTF-16; a usage error when it is not UTF-8.
std::u16string ArgumentText(const std::string& text, std::string_view option) {
  try {
    return FromUtf8(text);
  } catch (const Error& error) {
    throw Failure::Usage(std::string(option) + " \"" + text + "\": " + error.Message());
  }
}

TreeStyle ChosenTreeStyle(const CliOptions& options, const Environment& env) {
  switch (options.TreeStyle()) {
    case TreeStyleChoice::ascii:
      return TreeStyle::ascii;
    case TreeStyleChoice::unicode:
      return TreeStyle::unicode;
    case TreeStyleChoice::automatic:
      break;
  }
  return AutoTreeStyle(env.stdout_is_terminal, env.lc_all, env.lc_ctype, env.lang);
}

std::string Render(const CliOptions& options, const Environment& env, const JobResult& result,
                   const TreeView& tree) {
  // The single texts are printed as the library wrote them, CR LF breaks and all, and end with
  // one newline so a shell prompt does not follow them on the same line.
  switch (options.Format()) {
    case OutputFormat::aml:
      return ToUtf8(result.aml) + "\n";
    case OutputFormat::where:
      return ToUtf8(result.where) + "\n";
    case OutputFormat::ansi:
      return ToUtf8(result.ansi) + "\n";
    case OutputFormat::oracle:
      // The line break between the two texts is the library's own CR LF, like those inside them.
      return ToUtf8(result.oracle_from) + "\r\n" + ToUtf8(result.oracle_where) + "\n";
    case OutputFormat::json:
      return JsonReport(result, tree);
    case OutputFormat::text:
      break;
  }
  return TextReport(result, tree, ChosenTreeStyle(options, env));
}

int Report(const Failure& failure, const CliOptions& options, const TreeView& tree,
           std::ostream& out, std::ostream& err) {
  if (options.Format() == OutputFormat::json && failure.Kind()) {
    out << JsonErrorReport(*failure.Kind(), failure.Message(), tree);
  } else {
    err << "wheretree: " << failure.Message() << "\n";
    if (failure.Code() == ExitCode::usage) err << "Run with --help for more information.\n";
  }
  return ExitStatus(failure.Code());
}

}  // namespace

JobInput GatherInput(const CliOptions& options, const Environment& env) {
  std::string where_file = options.where_file;
  if (where_file.empty()) {
    // Waiting for a person to type a WHERE clause blind helps nobody; "-" still asks for that.
    if (env.stdin_is_terminal) {
      throw Failure::Usage(
          "no WHERE text: name a WHERE_FILE or pipe the text in (\"-\" reads the terminal)");
    }
    where_file = "-";
  }
  if (where_file == "-" && options.tables_file == "-") {
    throw Failure::Usage("the WHERE text and the --tables list cannot both come from stdin");
  }
  JobInput input;
  input.where = WithCrLfLineBreaks(ReadText(where_file, "WHERE file"));
  if (!options.tables_file.empty()) input.tables = ReadText(options.tables_file, "table list");
  for (const std::string& value : options.table_options)
    input.tables += TableBlockFromOption(value);
  for (const std::string& rename : options.renames) {
    const auto [old_alias, new_alias] = SplitRename(rename);
    input.renames.emplace_back(ArgumentText(old_alias, "--rename"),
                               ArgumentText(new_alias, "--rename"));
  }
  input.indent = options.Indent();
  return input;
}

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
           const Environment& env) {
  CLI::App app("", "wheretree");
  CliOptions options;
  DeclareOptions(app, options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return ExitStatusForParseError(app, error, out, err);
  }

  WhereTreeViewControl control;
  try {
    const JobResult result = RunWhereJob(control, GatherInput(options, env));
    out << Render(options, env, result, control.TvWhere());
    return ExitStatus(ExitCode::ok);
  } catch (const Failure& failure) {
    return Report(failure, options, control.TvWhere(), out, err);
  } catch (const Error& error) {
    return Report(Failure::FromError("unexpected failure", error), options, control.TvWhere(), out,
                  err);
  } catch (const std::exception& error) {
    err << "wheretree: unexpected failure: " << OneLine(error.what()) << "\n";
    return ExitStatus(ExitCode::failed);
  }
}

}  // namespace wheretree::cli
