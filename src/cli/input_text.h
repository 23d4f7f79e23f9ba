#pragma once

// Getting the tool's input into the shape the control loads: whole files (or stdin), UTF-8 with
// an optional byte order mark, and the WHERE text's line breaks made CR LF.

#include <string>
#include <string_view>

namespace wheretree::cli {

/// The whole content of the file at `path`, or of standard input when `path` is "-". `what`
/// names the input in the message of Failure::Io when it cannot be opened or read.
///   ReadWholeFile("nope.where", "WHERE file")
///     -> Failure "cannot read the WHERE file \"nope.where\": No such file or directory"
std::string ReadWholeFile(const std::string& path, std::string_view what);

/// UTF-8 bytes as UTF-16, a leading byte order mark skipped; malformed UTF-8 is
/// Error(invalid_argument) naming the byte offset.
///   DecodeUtf8Input("\xEF\xBB\xBFa = 1") -> u"a = 1"
std::u16string DecodeUtf8Input(std::string_view bytes);

/// Every line break, LF or CR LF, becomes CR LF, which the load reads as a space; a lone CR stays.
///   WithCrLfLineBreaks(u"a = 1\nAnd b = 2\r\n") -> u"a = 1\r\nAnd b = 2\r\n"
///   WithCrLfLineBreaks(u"a\rb") -> u"a\rb"
std::u16string WithCrLfLineBreaks(std::u16string_view text);

}  // namespace wheretree::cli
