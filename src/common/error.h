#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace wheretree {

/// What went wrong, for hosts that react to kinds of failure rather than to messages.
enum class ErrorKind {
  overflow,  ///< a 16-bit position, count or length (or the 32-bit node counter) ran past its limit
  out_of_range,      ///< an index or key that names no element, or a list that holds no array
  invalid_argument,  ///< text the operation cannot work with, e.g. an opening bracket never closed
  duplicate_key,     ///< a keyed collection already holds an equal key (letter case ignored)
  no_object,         ///< a reference to nothing, or to a tree node that was removed
};

/// Lower-case name of a kind, as hosts print it: "overflow", "out_of_range", ...
std::string_view KindName(ErrorKind kind) noexcept;

/// The one exception type of the library. what() is "<kind>: <message>"; Message() is the bare
/// message, in UTF-8, worded for a person.
///
///   try { control.LoadWhereString(where, tables); }
///   catch (const wheretree::Error& e) { if (e.Kind() == wheretree::ErrorKind::overflow) ... }
class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, std::string message);

  ErrorKind Kind() const noexcept { return kind_; }
  const std::string& Message() const noexcept { return message_; }

  static Error Overflow(std::string message) { return {ErrorKind::overflow, std::move(message)}; }
  static Error OutOfRange(std::string message) {
    return {ErrorKind::out_of_range, std::move(message)};
  }
  static Error InvalidArgument(std::string message) {
    return {ErrorKind::invalid_argument, std::move(message)};
  }
  static Error DuplicateKey(std::string message) {
    return {ErrorKind::duplicate_key, std::move(message)};
  }
  static Error NoObject(std::string message) { return {ErrorKind::no_object, std::move(message)}; }

 private:
  ErrorKind kind_;
  std::string message_;
};

}  // namespace wheretree
