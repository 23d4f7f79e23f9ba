#include "joins/connection_codes.h"

namespace wheretree {

std::int32_t TypeJoinCode(std::int64_t value) noexcept {
  return (value == 0 || value == 1 || value == 2) ? static_cast<std::int32_t>(value) : 0;
}

std::u16string_view TypeJoinText(std::int64_t code) noexcept {
  switch (code) {
    case 0:
      return u" INNER JOIN ";
    case 1:
    case -2:
      return u" LEFT OUTER JOIN ";
    case 2:
    case -1:
      return u" RIGHT OUTER JOIN ";
    default:
      return u" UNKNOWN TYPE CONNECT";
  }
}

std::u16string_view TypeCondText(std::int64_t code) noexcept {
  switch (code) {
    case 0:
      return u" = ";
    case 1:
      return u" <> ";
    case 2:
      return u" > ";
    case 3:
      return u" < ";
    case 4:
      return u" >= ";
    case 5:
      return u" <= ";
    default:
      return u" UNKNOWN CONDISHION FOR CONNECT";
  }
}

}  // namespace wheretree
