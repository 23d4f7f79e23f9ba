#pragma once

// Table, alias and field names as SQL dialects write them: dots turned into underscores, name
// parts quoted when they hold characters a bare SQL name cannot, and quotes stripped again.
// The dialect is the 32-bit code `VidSql`, 0 to 14; every other code quotes and strips nothing.

#include <cstdint>
#include <string>
#include <string_view>

namespace wheretree {

/// The character U+0452 that stands for a space inside a name; unquoting turns it into a space.
inline constexpr char16_t SpaceMark = u'\u0452';

/// An opening and a closing quote character; a zero `open` means "nothing".
struct QuotePair {
  char16_t open = 0;
  char16_t close = 0;

  bool IsNothing() const noexcept { return open == 0; }
};

/// How one dialect treats name parts. The two pairs differ for some codes: 2, 4 and 6 quote with
/// brackets but strip nothing, 11 quotes nothing but strips single quotes.
struct SqlDialect {
  QuotePair bound;              ///< put around a non-standard part by BoundBlunkName
  QuotePair unbound;            ///< stripped by UnBoundBlunkName
  bool doubles_quotes = false;  ///< codes 1, 5, 9: a double quote in a name is written twice
};

/// The treatment of `VidSql`.
///   DialectOf(0)  -> bound '[' ']', unbound '[' ']'
///   DialectOf(11) -> bound nothing, unbound '\'' '\''
///   DialectOf(-1) -> bound nothing, unbound nothing
SqlDialect DialectOf(std::int32_t VidSql) noexcept;

/// A copy of `name` with every "." turned into "_"; failures go to ReportError.
///   del_in_name(u"dbo.Orders") -> u"dbo_Orders"
std::u16string del_in_name(std::u16string_view name);

/// True when a name part, taken in upper case, holds a character other than 0-9, A-Z, "_" and the
/// Cyrillic capitals U+0410..U+042F (so also U+0401 and U+0451); false for an empty part.
///   IsNonStandardName(u"order_id") -> false, IsNonStandardName(u"order id") -> true
bool IsNonStandardName(std::u16string_view part);

/// `name` with each non-standard part between dots quoted as the dialect quotes, "*" and names of
/// more than four parts left alone. For codes 1, 5 and 9 the double quotes in the caller's `name`
/// are doubled first (the variable changes even when the result is the name as it came in).
/// Failures go to ReportError and give the name as it came in.
///   std::u16string n = u"dbo.order lines"; BoundBlunkName(0, n) -> u"dbo.[order lines]"
///   std::u16string n = u"a\"b";           BoundBlunkName(1, n) -> u"\"a\"\"b\"", n == u"a\"\"b"
std::u16string BoundBlunkName(std::int32_t VidSql, std::u16string& name);

/// The text between the first opening and the last closing quote of the dialect, with every
/// SpaceMark turned into a space; a name without an opening quote is kept whole (marks still
/// turned). For codes 1, 5 and 9 doubled double quotes are made single first. An empty name, or
/// an opening quote without a closing one, goes to ReportError and gives the name as it came in.
/// Codes that strip nothing return the name unchanged.
///   UnBoundBlunkName(0, u"dbo.[Order Lines]") -> u"Order Lines"
///   UnBoundBlunkName(2, u"[x]")               -> u"[x]"
std::u16string UnBoundBlunkName(std::int32_t VidSql, std::u16string_view name);

}  // namespace wheretree
