#pragma once

// Word tables of the connection codes, shared by the join writers and the AML reader and writer
// of the connection collection. Internal to the joins folder.

#include <cstdint>
#include <string_view>

namespace wheretree {

/// Join type code read back from a connection list: 0, 1 and 2 stay, every other value is 0.
///   TypeJoinCode(2) -> 2, TypeJoinCode(7) -> 0, TypeJoinCode(-1) -> 0
std::int32_t TypeJoinCode(std::int64_t value) noexcept;

/// Join words of a join type code; negative codes are the same join seen from its to side.
///   TypeJoinText(1) -> u" LEFT OUTER JOIN ", TypeJoinText(-1) -> u" RIGHT OUTER JOIN ",
///   TypeJoinText(3) -> u" UNKNOWN TYPE CONNECT"
std::u16string_view TypeJoinText(std::int64_t code) noexcept;

/// Operator text of a condition code, one blank on each side.
///   TypeCondText(4) -> u" >= ", TypeCondText(6) -> u" UNKNOWN CONDISHION FOR CONNECT"
std::u16string_view TypeCondText(std::int64_t code) noexcept;

}  // namespace wheretree
