#pragma once

// Reading one comparison of a WHERE clause: the Oracle outer-join sign "(+)" on an operand, the
// code of its operator, and the parts of a dotted field reference.

#include <cstdint>
#include <string>
#include <string_view>

namespace wheretree {

/// When "(+)" occurs anywhere in `operand`, removes the operand's last three characters (whatever
/// they are) and returns true; otherwise returns false and leaves it unchanged.
///   std::u16string s = u"d.id(+)";  CutOuterJoinSign(s) -> true,  s == u"d.id"
///   std::u16string s = u"e.id(+) "; CutOuterJoinSign(s) -> true,  s == u"e.id("
bool CutOuterJoinSign(std::u16string& operand);

/// Condition code of a comparison operator, spaces around it ignored, compared exactly:
/// "=" 0, "<>" 1, ">" 2, "<" 3, ">=" 4, "<=" 5, and 0 for any other text.
///   ConditionCode(u" >= ") -> 4, ConditionCode(u"LIKE") -> 0
std::int32_t ConditionCode(std::u16string_view op);

/// Splits a field reference (spaces trimmed, brackets removed) at its dots and returns the number
/// of dots: 0 gives only `field`; 1 gives `first` (an alias) and `field`; 2 splits at the last dot
/// and gives the schema-qualified table as both `first` and `second`; 3 or more leave all three
/// empty. Each part is then unquoted with UnBoundBlunkName(VidSql, part). Fails with
/// Error(overflow) when the cleaned reference is longer than 32767.
///   SplitFieldReference(u" e.dept_id(", f, s, p, 1)  -> 1, f == u"e", s == u"", p == u"dept_id"
///   SplitFieldReference(u"hr.emp.id", f, s, p, 1)    -> 2, f == s == u"hr.emp", p == u"id"
std::int16_t SplitFieldReference(std::u16string_view reference, std::u16string& first,
                                 std::u16string& second, std::u16string& field,
                                 std::int32_t VidSql);

}  // namespace wheretree
