#include "cli/input_text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/exit_status.h"
#include "common/text.h"

namespace wheretree::cli {
namespace {

std::string ReadStream(std::FILE* stream, bool& failed, int& error_number) {
  std::string content;
  char buffer[64 * 1024];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, stream);
    content.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  failed = std::ferror(stream) != 0;
  error_number = errno;
  return content;
}

std::string Described(std::string_view what, const std::string& path) {
  return path == "-" ? std::string(what) + " from standard input"
                     : std::string(what) + " \"" + path + "\"";
}

}  // namespace

std::string ReadWholeFile(const std::string& path, std::string_view what) {
  bool failed = false;
  int error_number = 0;
  std::string content;
  errno = 0;
  if (path == "-") {
    content = ReadStream(stdin, failed, error_number);
  } else {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
      throw Failure::Io("cannot read the " + Described(what, path) + ": " + std::strerror(errno));
    }
    content = ReadStream(file.get(), failed, error_number);
  }
  if (failed) {
    // A directory opens like a file on Linux and fails on the first read (EISDIR).
    throw Failure::Io("cannot read the " + Described(what, path) + ": " +
                      (error_number != 0 ? std::strerror(error_number) : "read error"));
  }
  return content;
}

std::u16string DecodeUtf8Input(std::string_view bytes) {
  // Decoded with the mark, so the offset of a malformed byte counts from the file's start.
  std::u16string text = FromUtf8(bytes);
  if (!text.empty() && text.front() == u'\uFEFF') text.erase(0, 1);
  return text;
}

std::u16string WithCrLfLineBreaks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    // "a\nb" -> "a\r\nb"; the LF of "a\r\nb" already has its CR.
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) out += u'\r';
    out += text[i];
  }
  return out;
}

}  // namespace wheretree::cli
