#include "joins/c_connect.h"

namespace wheretree {
namespace {

// u"EMP", u"e" -> u"EMP e";  u"EMP", u"EMP" -> u"EMP"
std::u16string TableWithAlias(const std::u16string& table, const std::u16string& alias) {
  if (table == alias) return table;
  std::u16string text;
  text.reserve(table.size() + 1 + alias.size());
  text.append(table).append(1, u' ').append(alias);
  return text;
}

}  // namespace

std::u16string c_connect::AliasDependSign(std::int32_t i) const {
  if (i > 0) return t_to_ali_;
  if (i < 0) return t_from_ali_;
  return {};
}

std::u16string c_connect::TblPlusAlias(std::int32_t i) const {
  if (i > 0) return TableWithAlias(t_to_, t_to_ali_);
  if (i < 0) return TableWithAlias(t_from_, t_from_ali_);
  return {};
}

std::u16string c_connect::TblFromPlusAlias() const {
  return TableWithAlias(t_from_, t_from_ali_);
}

}  // namespace wheretree
