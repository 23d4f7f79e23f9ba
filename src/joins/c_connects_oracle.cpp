// Writing the connection collection in Oracle style: a plain FROM list, and the join
// conditions for the WHERE clause with "(+)" after the field of the optional side. Both leave
// the collection as it is.

#include <string_view>
#include <unordered_set>

#include "common/error.h"
#include "common/text.h"
#include "joins/c_connects.h"
#include "joins/connection_codes.h"
#include "sqltext/report_error.h"

namespace wheretree {
namespace {

// Each table and each condition gets a line of its own, indented by the 7 characters of
// "  FROM " / " WHERE " so that they stand in one column.
constexpr std::u16string_view kTableSeparator = u", \r\n       ";
constexpr std::u16string_view kConditionSeparator = u" AND \r\n       ";
constexpr std::u16string_view kOuterJoinSign = u"(+)";

// u"o", u"ORDERS", u"CUST_ID" -> u"o.CUST_ID";  u"", u"ORDERS", u"CUST_ID" -> u"ORDERS.CUST_ID"
void AppendOperand(std::u16string& text, const std::u16string& alias, const std::u16string& table,
                   const std::u16string& field) {
  text.append(alias.empty() ? table : alias).append(1, u'.').append(field);
}

}  // namespace

std::u16string c_connects::CreJoinOracle(bool FlWhere) const {
  std::u16string result;
  if (connections_.empty()) return result;
  try {
    // Positions are counted in 16 bits: more than 32767 connections fail before the first
    // condition, exactly 32767 when the counter steps past the last one.
    const std::int32_t count = CheckInt16(Count(), "the number of connections to write");
    for (std::int32_t i = 1; i <= count;
         i = CheckInt16(std::int64_t{i} + 1, "the position of the connection to write")) {
      const c_connect& c = *connections_[static_cast<std::size_t>(i - 1)];
      if (c.t_to().empty()) continue;  // a table without a join
      std::u16string condition;
      AppendOperand(condition, c.t_from_ali(), c.t_from(), c.p_from());
      switch (c.tp_con()) {
        case 0:
          condition.append(TypeCondText(c.con_con()));
          AppendOperand(condition, c.t_to_ali(), c.t_to(), c.p_to());
          break;
        case 1:
          condition.append(TypeCondText(c.con_con()));
          AppendOperand(condition, c.t_to_ali(), c.t_to(), c.p_to());
          condition.append(kOuterJoinSign);
          break;
        case 2:
          condition.append(kOuterJoinSign);
          condition.append(TypeCondText(c.con_con()));
          AppendOperand(condition, c.t_to_ali(), c.t_to(), c.p_to());
          break;
        default:
          // A join that has no Oracle form spoils the whole clause.
          return {};
      }
      result.append(condition).append(kConditionSeparator);
    }
    if (!result.empty()) {
      result.resize(result.size() - kConditionSeparator.size());
      result.insert(0, 1, u'(');
      result.append(1, u')');
      if (!FlWhere) result.insert(0, u" WHERE ");
    }
  } catch (const std::exception&) {
    ReportError(u"  CreJoinOracle", 0, u"");
  }
  return result;
}

std::u16string c_connects::FromOracle(bool FlFrom) const {
  // A table is known by its alias: a self-join under two aliases is listed twice, two tables
  // under one alias once. An empty from alias is listed like any other; an empty to alias
  // means there is no to-table.
  std::unordered_set<std::u16string_view> listed;
  std::u16string list;
  for (const auto& c : connections_) {
    if (listed.insert(c->t_from_ali()).second) {
      list.append(c->TblFromPlusAlias()).append(kTableSeparator);
    }
    if (!c->t_to_ali().empty() && listed.insert(c->t_to_ali()).second) {
      list.append(c->TblPlusAlias(1)).append(kTableSeparator);
    }
  }
  if (!list.empty()) list.resize(list.size() - kTableSeparator.size());
  if (!FlFrom) list.insert(0, u"  FROM ");
  return list;
}

}  // namespace wheretree
