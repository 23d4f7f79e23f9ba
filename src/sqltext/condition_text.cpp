#include "sqltext/condition_text.h"

#include "common/text.h"
#include "sqltext/name_quoting.h"
#include "sqltext/text_utils.h"

namespace wheretree {

bool CutOuterJoinSign(std::u16string& operand) {
  if (operand.find(u"(+)") == std::u16string::npos) return false;
  // The sign is expected at the very end, so the last three characters go whatever they are:
  // "e.id(+) " (the left side of "e.id(+) = d.id") keeps its "(", which the reference splitter
  // removes afterwards.
  operand.resize(operand.size() - 3);
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

std::int16_t SplitFieldReference(std::u16string_view reference, std::u16string& first,
                                 std::u16string& second, std::u16string& field,
                                 std::int32_t VidSql) {
  // " hr.emp.id(" -> "hr.emp.id": trimmed, every bracket removed. The copy is taken before the
  // parts are cleared, so a reference that views one of them stays intact.
  std::u16string s;
  for (const char16_t c : TrimSpaces(reference)) {
    if (c != u'(' && c != u')') s.push_back(c);
  }
  first.clear();
  second.clear();
  field.clear();

  std::int16_t start = 0;
  const std::int16_t dots = CountOccurrences(s, u".", start);
  if (dots == 0) {
    field = s;
  } else if (dots == 1) {
    // "e.dept_id" -> alias "e", field "dept_id"
    const std::size_t dot = s.find(u'.');
    first = s.substr(0, dot);
    field = s.substr(dot + 1);
  } else if (dots == 2) {
    // "hr.emp.id" -> table "hr.emp" (first and second), field "id"
    const std::size_t dot = s.rfind(u'.');
    first = s.substr(0, dot);
    second = first;
    field = s.substr(dot + 1);
  }

  first = UnBoundBlunkName(VidSql, first);
  second = UnBoundBlunkName(VidSql, second);
  field = UnBoundBlunkName(VidSql, field);
  return dots;
}

}  // namespace wheretree
