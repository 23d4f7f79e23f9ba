#include "sqltext/condition_text.h"

#include <algorithm>

#include "common/text.h"
#include "sqltext/name_quoting.h"
#include "sqltext/text_utils.h"

namespace wheretree {

bool CutOuterJoinSign(std::u16string_view& operand) {
  if (operand.find(u"(+)") == std::u16string_view::npos) return false;
  // The sign is expected at the very end, so the last three characters go whatever they are:
  // "e.id(+) " (the left side of "e.id(+) = d.id") keeps its "(", which the reference splitter
  // removes afterwards.
  operand.remove_suffix(3);
  return true;
}

bool CutOuterJoinSign(std::u16string& operand) {
  std::u16string_view view = operand;
  if (!CutOuterJoinSign(view)) return false;
  operand.resize(view.size());
  return true;
}

std::int32_t ConditionCode(std::u16string_view op) {
  const std::u16string_view text = TrimSpaces(op);
  if (text == u"=") return 0;
  if (text == u"<>") return 1;
  if (text == u">") return 2;
  if (text == u"<") return 3;
  if (text == u">=") return 4;
  if (text == u"<=") return 5;
  return 0;  // an unknown operator counts as "="
}

void FieldReferenceParts::Part::Unquote(std::u16string_view part, std::int32_t VidSql,
                                        const SqlDialect& dialect) {
  // An empty part is reported; otherwise, without an opening quote, a doubled quote or a space
  // mark, unquoting gives the part back as it is and the view is enough.
  const bool unchanged =
      !part.empty() &&
      (dialect.unbound.IsNothing() ||
       (part.find(dialect.unbound.open) == std::u16string_view::npos &&
        part.find(SpaceMark) == std::u16string_view::npos &&
        (!dialect.doubles_quotes || part.find(u'"') == std::u16string_view::npos)));
  if (unchanged) {
    view_ = part;
    return;
  }
  own_ = UnBoundBlunkName(VidSql, part);
  view_ = own_;
}

FieldReferenceParts::FieldReferenceParts(std::u16string_view reference, std::int32_t VidSql) {
  // " hr.emp.id(" -> "hr.emp.id": trimmed, every bracket removed.
  std::u16string_view s = TrimSpaces(reference);
  if (s.find_first_of(u"()") != std::u16string_view::npos) {
    for (const char16_t c : s) {
      if (c != u'(' && c != u')') unbracketed_.push_back(c);
    }
    s = unbracketed_;
  }
  // Positions inside the reference are 16-bit numbers, like those of the text it came from.
  CheckInt16(static_cast<std::int64_t>(s.size()), "the length of the text to count in");
  dots_ = static_cast<std::int16_t>(std::count(s.begin(), s.end(), u'.'));
  std::u16string_view first, second, field;
  if (dots_ == 0) {
    field = s;
  } else if (dots_ == 1) {
    // "e.dept_id" -> alias "e", field "dept_id"
    const std::size_t dot = s.find(u'.');
    first = s.substr(0, dot);
    field = s.substr(dot + 1);
  } else if (dots_ == 2) {
    // "hr.emp.id" -> table "hr.emp" (first and second), field "id"
    const std::size_t dot = s.rfind(u'.');
    first = second = s.substr(0, dot);
    field = s.substr(dot + 1);
  }
  const SqlDialect dialect = DialectOf(VidSql);
  first_.Unquote(first, VidSql, dialect);
  second_.Unquote(second, VidSql, dialect);
  field_.Unquote(field, VidSql, dialect);
}

std::int16_t SplitFieldReference(std::u16string_view reference, std::u16string& first,
                                 std::u16string& second, std::u16string& field,
                                 std::int32_t VidSql) {
  // The reference is copied before the parts are written, so one that views a part stays intact.
  const std::u16string copy(reference);
  first.clear();
  second.clear();
  field.clear();
  const FieldReferenceParts parts(copy, VidSql);
  first = parts.First();
  second = parts.Second();
  field = parts.Field();
  return parts.Dots();
}

}  // namespace wheretree
