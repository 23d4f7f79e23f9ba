#pragma once

// Reading one comparison of a WHERE clause: the Oracle outer-join sign "(+)" on an operand, the
// code of its operator, and the parts of a dotted field reference.

#include <cstdint>
#include <string>
#include <string_view>

#include "sqltext/name_quoting.h"

namespace wheretree {

/// When "(+)" occurs anywhere in `operand`, removes the operand's last three characters (whatever
/// they are) and returns true; otherwise returns false and leaves it unchanged.
///   std::u16string s = u"d.id(+)";  CutOuterJoinSign(s) -> true,  s == u"d.id"
///   std::u16string s = u"e.id(+) "; CutOuterJoinSign(s) -> true,  s == u"e.id("
bool CutOuterJoinSign(std::u16string& operand);
/// The same on a view of the operand: the view is shortened.
bool CutOuterJoinSign(std::u16string_view& operand);

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

/// The parts SplitFieldReference gives, read without copying where unquoting leaves a part as it
/// is: such a part views `reference`, which must then outlive the object. The same reports go to
/// ReportError, in the same order; Error(overflow) likewise.
///   FieldReferenceParts p(u"e.\"Dept Id\"", 1);  p.First() == u"e", p.Field() == u"Dept Id"
class FieldReferenceParts {
 public:
  FieldReferenceParts(std::u16string_view reference, std::int32_t VidSql);
  FieldReferenceParts(const FieldReferenceParts&) = delete;  // the parts may view the members
  FieldReferenceParts& operator=(const FieldReferenceParts&) = delete;

  std::int16_t Dots() const noexcept { return dots_; }
  std::u16string_view First() const noexcept { return first_.View(); }
  std::u16string_view Second() const noexcept { return second_.View(); }
  std::u16string_view Field() const noexcept { return field_.View(); }

 private:
  // One part, unquoted: a view of the reference, or of its own copy when unquoting changed it.
  class Part {
   public:
    // `dialect` is DialectOf(VidSql).
    void Unquote(std::u16string_view part, std::int32_t VidSql, const SqlDialect& dialect);
    std::u16string_view View() const noexcept { return view_; }

   private:
    std::u16string own_;
    std::u16string_view view_;
  };

  std::u16string unbracketed_;  // the reference without its brackets, when it had any
  std::int16_t dots_ = 0;
  Part first_, second_, field_;
};

}  // namespace wheretree
