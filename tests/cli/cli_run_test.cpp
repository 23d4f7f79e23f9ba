#include "cli/cli_run.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "cli/exit_status.h"
#include "support/test_support.h"

namespace wheretree::cli {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunWith(std::vector<const char*> args, const Environment& env = {}) {
  args.insert(args.begin(), "wheretree");
  std::ostringstream out, err;
  const int status = RunCli(static_cast<int>(args.size()), args.data(), out, err, env);
  return {status, out.str(), err.str()};
}

TEST(CliRun, CommandLineMistakesExitTwoHelpAndVersionZero) {
  struct Case {
    std::vector<const char*> args;
    int status;
    std::string fragment;  // in stdout for status 0, in stderr otherwise
  };
  const Case cases[] = {
      {{"--help"}, 0, "--table NAME:ALIASES:FIELDS"}, {{"--version"}, 0, "wheretree "},
      {{"--format", "xml"}, 2, "--format"},           {{"--indent", "40000"}, 2, "--indent"},
      {{"--indent", "two"}, 2, "--indent"},           {{"--table", "EMP:e"}, 2, "found 1 colon"},
      {{"--rename", "e"}, 2, "expected OLD=NEW"},     {{"--rename", "=x"}, 2, "is empty"},
      {{"--no-such-option"}, 2, "--no-such-option"},  {{"a.where", "b.where"}, 2, "b.where"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front());
    const Outcome run = RunWith(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    const std::string& shown = c.status == 0 ? run.out : run.err;
    EXPECT_NE(shown.find(c.fragment), std::string::npos) << shown;
  }
}

TEST(CliRun, NoWhereFileFromATerminalIsAUsageError) {
  Environment terminal;
  terminal.stdin_is_terminal = true;
  const Outcome run = RunWith({"--format", "json"}, terminal);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("no WHERE text"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;

  const Outcome both = RunWith({"--tables", "-", "-"});
  EXPECT_EQ(both.status, 2);
  EXPECT_NE(both.err.find("cannot both come from stdin"), std::string::npos) << both.err;
}

TEST(CliRun, GatherInputJoinsTheTableListsAndPicksTheIndent) {
  const auto dir = std::filesystem::temp_directory_path() / "wheretree_cli_run_test";
  std::filesystem::create_directories(dir);
  const std::string where = (dir / "q.where").string();
  const std::string tables = (dir / "q.aml").string();
  std::ofstream(where, std::ios::binary) << "\xEF\xBB\xBF"
                                            "a.x = b.y\nAnd c = 1";
  std::ofstream(tables, std::ios::binary) << "<T>A<AA>a<AA><PP>x<PP><T>\n";

  struct Case {
    std::vector<const char*> args;
    std::int16_t indent;
  };
  const Case cases[] = {
      {{}, 2}, {{"--format", "json"}, 0}, {{"--format", "where"}, 0}, {{"--indent", "-3"}, -3}};
  for (const Case& c : cases) {
    CLI::App app;
    CliOptions options;
    DeclareOptions(app, options);
    std::vector<const char*> args = c.args;
    for (const char* extra :
         {"--tables", tables.c_str(), "--table", "B:b:y", "--rename", "a=z=w", where.c_str()}) {
      args.push_back(extra);
    }
    args.insert(args.begin(), "wheretree");
    app.parse(static_cast<int>(args.size()), args.data());
    const JobInput input = GatherInput(options, {});
    EXPECT_EQ(testing::Show(input.where), "a.x = b.y\\r\\nAnd c = 1");
    EXPECT_EQ(testing::Show(input.tables), "<T>A<AA>a<AA><PP>x<PP><T>\\n<T>B<AA>b<AA><PP>y<PP><T>");
    ASSERT_EQ(input.renames.size(), 1U);
    EXPECT_EQ(input.renames[0].first, u"a");
    EXPECT_EQ(input.renames[0].second, u"z=w");  // split at the first "="
    EXPECT_EQ(input.indent, c.indent);
  }
  std::filesystem::remove_all(dir);
}

TEST(CliRun, FailuresAreOneLine) {
  const Failure failure =
      Failure::FromError("cannot load", Error::DuplicateKey("the key \"A\r\nB\" is used"));
  EXPECT_EQ(failure.Message(), "cannot load: the key \"A\\r\\nB\" is used");
  EXPECT_EQ(failure.Kind(), ErrorKind::duplicate_key);
  EXPECT_EQ(ExitStatus(failure.Code()), 1);
}

}  // namespace
}  // namespace wheretree::cli
