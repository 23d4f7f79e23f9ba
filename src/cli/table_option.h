#pragma once

// The --table shorthand: one table of the AML table list written as NAME:ALIASES:FIELDS, for
// users who do not want to write AML by hand.

#include <string>
#include <string_view>

namespace wheretree::cli {

/// What is wrong with a NAME:ALIASES:FIELDS description, or "" when it can be used. Aliases and
/// fields are comma lists taken exactly as written (a space after a comma belongs to the next
/// entry); the alias list may be empty.
///   CheckTableOption("EMP:e:id") -> ""
///   CheckTableOption("EMP:e") -> "expected NAME:ALIASES:FIELDS (two colons), found 1 colon"
std::string CheckTableOption(std::string_view value);

/// The AML table block of a description that CheckTableOption accepts; Failure::Usage otherwise.
///   TableBlockFromOption("EMP:e,m:id,dept_id") -> u"<T>EMP<AA>e,m<AA><PP>id,dept_id<PP><T>"
std::u16string TableBlockFromOption(std::string_view value);

}  // namespace wheretree::cli
