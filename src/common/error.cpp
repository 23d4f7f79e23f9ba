#include "common/error.h"

namespace wheretree {

std::string_view KindName(ErrorKind kind) noexcept {
  switch (kind) {
    case ErrorKind::overflow:
      return "overflow";
    case ErrorKind::out_of_range:
      return "out_of_range";
    case ErrorKind::invalid_argument:
      return "invalid_argument";
    case ErrorKind::duplicate_key:
      return "duplicate_key";
    case ErrorKind::no_object:
      return "no_object";
  }
  return "unknown";
}

Error::Error(ErrorKind kind, std::string message)
    : std::runtime_error(std::string(KindName(kind)) + ": " + message),
      kind_(kind),
      message_(std::move(message)) {}

}  // namespace wheretree
