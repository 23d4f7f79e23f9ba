#pragma once

// The tool's command line: what each option means, with its --help text, and the checks CLI11
// makes while parsing.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace wheretree::cli {

/// What --format asks for.
enum class OutputFormat { text, aml, where, ansi, oracle, json };

/// What --tree-style asks for.
enum class TreeStyleChoice { automatic, ascii, unicode };

/// The parsed command line, as given.
struct CliOptions {
  std::string where_file;                  ///< "" when not given, "-" for standard input
  std::string tables_file;                 ///< --tables, "" when not given
  std::vector<std::string> table_options;  ///< --table NAME:ALIASES:FIELDS, in order
  std::string format = "text";
  int indent = 0;
  CLI::Option* indent_option = nullptr;  ///< tells whether --indent was given
  std::vector<std::string> renames;      ///< --rename OLD=NEW, in order
  std::string tree_style = "auto";

  OutputFormat Format() const;
  TreeStyleChoice TreeStyle() const;
  /// --indent when given; otherwise 2 for the text report and 0 for every other format.
  std::int16_t Indent() const;
};

/// Declares the options on `app` (name, description, examples, version, checks).
void DeclareOptions(CLI::App& app, CliOptions& options);

/// "OLD=NEW" split at its first "=" -> {"OLD", "NEW"}; the caller has checked it with
/// CheckRename.
std::pair<std::string, std::string> SplitRename(std::string_view rename);

/// What is wrong with a --rename value, or "" when it can be used.
///   CheckRename("e=emp") -> "", CheckRename("e") -> "expected OLD=NEW ..."
std::string CheckRename(std::string_view rename);

}  // namespace wheretree::cli
