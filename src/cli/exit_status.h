#pragma once

// How the tool ends: its exit codes and the one-line failure it reports, decided here only.
//
//   try { ... } catch (const Failure& f) { std::cerr << "wheretree: " << f.Message() << '\n';
//                                          return ExitStatus(f.Code()); }

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/error.h"

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

namespace wheretree::cli {

/// 0: the job ran; 1: an input could not be read or loaded; 2: the command line was wrong.
enum class ExitCode { ok = 0, failed = 1, usage = 2 };

/// The process exit status of a code.
int ExitStatus(ExitCode code) noexcept;

/// Why the tool stopped: the exit code, a message for a person on one line, and the library's
/// error kind when the library reported the failure (a file that cannot be opened has none).
class Failure : public std::runtime_error {
 public:
  /// A command-line mistake found after parsing, e.g. both inputs asked from stdin.
  static Failure Usage(std::string message);
  /// A file that cannot be opened or read: Io("cannot read the WHERE file \"x\": ...").
  static Failure Io(std::string message);
  /// The library failed while the tool was doing `context`:
  ///   FromError("cannot load the WHERE text", e) -> "cannot load the WHERE text: <e's message>"
  static Failure FromError(std::string_view context, const Error& error);

  ExitCode Code() const noexcept { return code_; }
  const std::optional<ErrorKind>& Kind() const noexcept { return kind_; }
  const std::string& Message() const noexcept { return message_; }

 private:
  Failure(ExitCode code, std::optional<ErrorKind> kind, std::string message);

  ExitCode code_;
  std::optional<ErrorKind> kind_;
  std::string message_;
};

/// The text on one line: CR and LF become the visible \r and \n, so a table name with a line
/// break in it cannot split the message.  OneLine("a\r\nb") -> "a\\r\\nb"
std::string OneLine(std::string_view text);

/// Lets CLI11 print its own message for a parse error (help, version or a mistake) and gives the
/// status: 0 for --help and --version, 2 for every mistake.
int ExitStatusForParseError(const CLI::App& app, const CLI::ParseError& error, std::ostream& out,
                            std::ostream& err);

}  // namespace wheretree::cli
