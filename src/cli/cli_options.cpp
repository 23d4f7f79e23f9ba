#include "cli/cli_options.h"

#include <CLI/CLI.hpp>

#include "cli/table_option.h"

#ifndef WHERETREE_VERSION
#define WHERETREE_VERSION "unknown"
#endif

namespace wheretree::cli {
namespace {

constexpr const char* kDescription =
    "wheretree reads the WHERE clause of a SQL statement (without the word WHERE), shows it as\n"
    "a tree of AND/OR groups, takes out the conditions that join two declared tables (Oracle\n"
    "\"(+)\" outer joins included) and writes them as joins, with the WHERE text that remains.";

constexpr const char* kFooter =
    "Examples:\n"
    "  wheretree --tables examples/employees.aml examples/employees.where\n"
    "  wheretree --table ORDERS:o:id,customer_id --table CUSTOMERS:c:id --format ansi q.where\n"
    "  echo 'o.customer_id = c.id And o.total > 100' |\n"
    "    wheretree --table ORDERS:o:customer_id,total --table CUSTOMERS:c:id --format json\n"
    "\n"
    "The texts of --format aml, where, ansi and oracle are printed exactly as the library\n"
    "writes them (their own line breaks are CR LF), followed by one newline.\n"
    "\n"
    "Exit status: 0 done; 1 an input could not be read or loaded (the message says what was\n"
    "wrong; with --format json a load error comes as JSON on standard output); 2 a mistake\n"
    "on the command line.";

}  // namespace

OutputFormat CliOptions::Format() const {
  if (format == "aml") return OutputFormat::aml;
  if (format == "where") return OutputFormat::where;
  if (format == "ansi") return OutputFormat::ansi;
  if (format == "oracle") return OutputFormat::oracle;
  if (format == "json") return OutputFormat::json;
  return OutputFormat::text;
}

TreeStyleChoice CliOptions::TreeStyle() const {
  if (tree_style == "ascii") return TreeStyleChoice::ascii;
  if (tree_style == "unicode") return TreeStyleChoice::unicode;
  return TreeStyleChoice::automatic;
}

std::int16_t CliOptions::Indent() const {
  if (indent_option != nullptr && indent_option->count() > 0) {
    return static_cast<std::int16_t>(indent);  // CLI11 has checked the 16-bit range
  }
  // The person's report indents the members of the root, as a WHERE clause is usually laid out;
  // the texts for programs keep the writer's own default of no indentation.
  return Format() == OutputFormat::text ? 2 : 0;
}

std::pair<std::string, std::string> SplitRename(std::string_view rename) {
  const std::size_t equals = rename.find('=');
  return {std::string(rename.substr(0, equals)), std::string(rename.substr(equals + 1))};
}

std::string CheckRename(std::string_view rename) {
  const std::size_t equals = rename.find('=');
  if (equals == std::string_view::npos) return "expected OLD=NEW, for example e=emp";
  if (equals == 0) return "the alias to rename, before \"=\", is empty";
  return {};
}

void DeclareOptions(CLI::App& app, CliOptions& options) {
  app.description(kDescription);
  app.footer(kFooter);
  app.set_version_flag("--version", std::string("wheretree ") + WHERETREE_VERSION,
                       "Print the version and exit");

  app.add_option("WHERE_FILE", options.where_file,
                 "File with the WHERE text (UTF-8; a byte order mark is skipped);\n"
                 "\"-\" or nothing reads standard input. Lines are joined by spaces.\n"
                 "Example: examples/employees.where")
      ->type_name("FILE|-");

  app.add_option("--tables", options.tables_file,
                 "File with the AML table list, the declared tables, each as\n"
                 "<T>NAME<AA>ALIAS,...<AA><PP>FIELD,...<PP><T>; \"-\" reads stdin.\n"
                 "Example: --tables examples/employees.aml")
      ->type_name("FILE");

  app.add_option("--table", options.table_options,
                 "Declares a table without writing AML: aliases and fields are\n"
                 "comma lists taken as written (no spaces after the commas).\n"
                 "Repeatable; these tables follow those of --tables.\n"
                 "Example: --table EMPLOYEES:e,m:employee_id,manager_id")
      ->type_name("NAME:ALIASES:FIELDS")
      ->allow_extra_args(false)  // one value per --table, so a file name after it stays a file
      ->check(CLI::Validator([](const std::string& value) { return CheckTableOption(value); }, ""));

  app.add_option("--format", options.format,
                 "What to print (default text):\n"
                 "  text    a report for a person: the joins taken out as ANSI FROM\n"
                 "          clause, the remaining WHERE text and the condition tree\n"
                 "  aml     the AML connection list of the joins taken out\n"
                 "  where   the remaining WHERE text\n"
                 "  ansi    the joins as ANSI FROM clause\n"
                 "  oracle  the joins as Oracle FROM list, then the \"(+)\" conditions\n"
                 "  json    all of it, with the connections and the tree's nodes\n"
                 "Example: --format json")
      ->type_name("FORMAT")
      ->check(CLI::IsMember({"text", "aml", "where", "ansi", "oracle", "json"}));

  options.indent_option =
      app.add_option("--indent", options.indent,
                     "Spaces before each top-level member of the written WHERE text\n"
                     "(default 2 for text, 0 otherwise; below 0 counts as 0).\n"
                     "Example: --indent 4")
          ->type_name("N")
          ->check(CLI::Range(-32768, 32767));

  app.add_option("--rename", options.renames,
                 "After loading, renames a table alias in the remaining WHERE\n"
                 "conditions (the joins taken out keep theirs). Repeatable.\n"
                 "Example: --rename e=emp")
      ->type_name("OLD=NEW")
      ->allow_extra_args(false)
      ->check(CLI::Validator([](const std::string& rename) { return CheckRename(rename); }, ""));

  app.add_option("--tree-style", options.tree_style,
                 "How the text report draws the tree: unicode (box lines), ascii,\n"
                 "or auto (unicode when stdout is a UTF-8 terminal; the default).\n"
                 "Example: --tree-style ascii")
      ->type_name("STYLE")
      ->check(CLI::IsMember({"auto", "ascii", "unicode"}));
}

}  // namespace wheretree::cli
