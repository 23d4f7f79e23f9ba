#include "joins/c_connects.h"

#include <algorithm>
#include <utility>

#include "sqltext/name_quoting.h"
#include "sqltext/report_error.h"

namespace wheretree {
namespace {

// u"dbo.Orders" -> u"dbo_Orders"
void ReplaceDots(std::u16string& text) {
  std::replace(text.begin(), text.end(), u'.', u'_');
}

// u"sales.dbo.Orders" -> u"Orders";  u"Orders" stays
void KeepAfterLastDot(std::u16string& name) {
  const auto dot = name.rfind(u'.');
  if (dot != std::u16string::npos) name.erase(0, dot + 1);
}

}  // namespace

std::shared_ptr<c_connect> c_connects::addNEW(std::int32_t VidSql, bool UseSchemaNames,
                                              std::u16string_view AliFr, std::u16string_view tblFr,
                                              bool FlagSql_tblFr, std::u16string_view PlFr,
                                              std::u16string_view AliTo, std::u16string_view tblTo,
                                              bool FlagSql_tblTo, std::u16string_view PlTo,
                                              std::int32_t TypeC, std::int32_t cond,
                                              std::u16string_view InSql) {
  // Private copies of the table names; quoting below may rewrite them, and the alias rules
  // compare the rewritten copies.
  std::u16string from_table(tblFr);
  std::u16string to_table(tblTo);
  if (VidSql == 0) {
    if (!FlagSql_tblFr) ReplaceDots(from_table);
    if (!FlagSql_tblTo) ReplaceDots(to_table);
  }

  // Appended first: a failure in the steps below leaves it in the collection.
  auto connection = Add();
  connection->FlagSql_From(FlagSql_tblFr);
  connection->FlagSql_To(FlagSql_tblTo);

  std::u16string from_field(PlFr);
  std::u16string to_field(PlTo);
  connection->p_from(BoundBlunkName(VidSql, from_field));
  connection->p_to(BoundBlunkName(VidSql, to_field));

  std::u16string from_printed =
      connection->FlagSql_From() ? from_table : BoundBlunkName(VidSql, from_table);
  std::u16string to_printed =
      connection->FlagSql_To() ? to_table : BoundBlunkName(VidSql, to_table);
  if (!UseSchemaNames) {
    KeepAfterLastDot(from_printed);
    KeepAfterLastDot(to_printed);
  }
  connection->t_from(std::move(from_printed));
  connection->t_to(std::move(to_printed));

  connection->tp_con(TypeC);
  connection->con_con(cond);
  connection->SQL(std::u16string(InSql));

  // An alias written differently from the table is printed after it (its dots turned into
  // underscores first); otherwise the alias is the printed table name itself.
  if (from_table != AliFr) {
    std::u16string alias = del_in_name(AliFr);
    connection->t_from_ali(BoundBlunkName(VidSql, alias));
  } else {
    connection->t_from_ali(connection->t_from());
  }
  if (to_table != AliTo) {
    std::u16string alias = del_in_name(AliTo);
    connection->t_to_ali(BoundBlunkName(VidSql, alias));
  } else {
    connection->t_to_ali(connection->t_to());
  }
  return connection;
}

std::shared_ptr<c_connect> c_connects::Add() {
  auto connection = std::make_shared<c_connect>();
  connections_.push_back(connection);
  return connection;
}

std::shared_ptr<c_connect> c_connects::Item(std::int32_t vntIndexKey) const noexcept {
  if (vntIndexKey < 1 || vntIndexKey > Count()) {
    ReportError(u"c_connects.Item", 0, u"");
    return nullptr;
  }
  return connections_[static_cast<std::size_t>(vntIndexKey - 1)];
}

std::shared_ptr<c_connect> c_connects::Item(std::u16string_view) const noexcept {
  ReportError(u"c_connects.Item", 0, u"");
  return nullptr;
}

std::int32_t c_connects::Count() const noexcept {
  return static_cast<std::int32_t>(connections_.size());
}

void c_connects::Remove(std::int32_t vntIndexKey) noexcept {
  if (vntIndexKey < 1 || vntIndexKey > Count()) {
    ReportError(u"c_connects.Remove", 0, u"");
    return;
  }
  connections_.erase(connections_.begin() + (vntIndexKey - 1));
}

void c_connects::Remove(std::u16string_view vntIndexKey) noexcept {
  const auto found =
      std::find_if(connections_.begin(), connections_.end(),
                   [&](const auto& connection) { return connection->nm_line() == vntIndexKey; });
  if (found != connections_.end()) connections_.erase(found);
}

}  // namespace wheretree
