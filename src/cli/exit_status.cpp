#include "cli/exit_status.h"

#include <CLI/CLI.hpp>

#include <utility>

namespace wheretree::cli {

int ExitStatus(ExitCode code) noexcept {
  return static_cast<int>(code);
}

Failure::Failure(ExitCode code, std::optional<ErrorKind> kind, std::string message)
    : std::runtime_error(message), code_(code), kind_(kind), message_(std::move(message)) {}

Failure Failure::Usage(std::string message) {
  return {ExitCode::usage, std::nullopt, OneLine(message)};
}

Failure Failure::Io(std::string message) {
  return {ExitCode::failed, std::nullopt, OneLine(message)};
}

Failure Failure::FromError(std::string_view context, const Error& error) {
  return {ExitCode::failed, error.Kind(), OneLine(std::string(context) + ": " + error.Message())};
}

std::string OneLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

int ExitStatusForParseError(const CLI::App& app, const CLI::ParseError& error, std::ostream& out,
                            std::ostream& err) {
  const int cli11_status = app.exit(error, out, err);
  return ExitStatus(cli11_status == 0 ? ExitCode::ok : ExitCode::usage);
}

}  // namespace wheretree::cli
