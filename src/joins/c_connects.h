#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "joins/c_connect.h"

namespace wheretree {

/// The ordered collection of join connections, reached by 1-based position in insertion order.
/// Connections are shared: a connection handed out by `Add`, `addNEW` or `Item` stays valid after
/// the collection drops it. The collection writes itself as ANSI joins, as an Oracle FROM list
/// plus "(+)" conditions, or as an AML connection list, and reads such a list back.
///
///   c_connects joins;
///   joins.addNEW(1, true, u"o", u"ORDERS", false, u"CUST_ID", u"c", u"CUSTOMERS", false, u"ID");
///   joins.CreJoinAnsi() -> u"  FROM ORDERS o INNER JOIN CUSTOMERS c ON o.CUST_ID = c.ID"
class c_connects {
 public:
  c_connects() = default;
  c_connects(const c_connects&) = delete;
  c_connects& operator=(const c_connects&) = delete;

  /// Reads an AML connection list and appends its connections behind those already held, each
  /// through addNEW(1, true, ...). An empty text appends nothing. Errors (a block missing one
  /// of FROM, TO, TYPEJOIN, TYPECOND, a FROM/TO value with fewer than three fields, a TYPEJOIN
  /// that is not a decimal whole number, more than 32767 occurrences of a tag) reach the caller;
  /// the connections appended before stay.
  ///   u"<JOIN><FROM>EMP\u040FE\u040FDEPTNO<FROM>\r\n<TO>DEPT\u040FD\u040FDEPTNO<TO>\r\n"
  ///   u"<TYPEJOIN>1<TYPEJOIN><TYPECOND> = <TYPECOND>\r\n<JOIN>\r\n" -> one left outer join
  void LoadAmlString(std::u16string& InAmlString);

  /// The AML connection list of all connections, one four-line block each (see LoadAmlString).
  /// More than 32767 connections is an overflow error. An empty collection gives u"".
  std::u16string CreateAmlString() const;

  /// The Oracle-style FROM list: every alias once where it first occurs, one table per line.
  ///   FromOracle() -> u"  FROM ORDERS o, \r\n       CUSTOMERS c"
  std::u16string FromOracle(bool FlFrom = false) const;

  /// Writes the connections as ANSI joins and removes every connection written, so the
  /// collection is empty afterwards (also the part written before a failure stays removed).
  ///   CreJoinAnsi() -> u"  FROM ORDERS o INNER JOIN CUSTOMERS c ON o.CUST_ID = c.ID"
  ///   CreJoinAnsi(true) -> u"ORDERS o INNER JOIN CUSTOMERS c ON o.CUST_ID = c.ID"
  std::u16string CreJoinAnsi(bool FlFrom = false);

  /// The Oracle-style join conditions with "(+)" on the optional side, one per line; empty when
  /// any join type code is not 0, 1 or 2.
  ///   CreJoinOracle() -> u" WHERE (o.CUST_ID = c.ID AND \r\n       c.REGION_ID = r.ID(+))"
  std::u16string CreJoinOracle(bool FlWhere = false) const;

  /// Builds a connection from names as written in SQL, appends it and returns it. The
  /// connection is appended before anything that can fail, and stays when a later step throws.
  ///   addNEW(2, false, u"o", u"sales.Orders", false, u"ID", ...) -> t_from u"Orders",
  ///   t_from_ali u"o"
  std::shared_ptr<c_connect> addNEW(std::int32_t VidSql, bool UseSchemaNames,
                                    std::u16string_view AliFr, std::u16string_view tblFr,
                                    bool FlagSql_tblFr, std::u16string_view PlFr,
                                    std::u16string_view AliTo, std::u16string_view tblTo,
                                    bool FlagSql_tblTo, std::u16string_view PlTo,
                                    std::int32_t TypeC = 0, std::int32_t cond = 0,
                                    std::u16string_view InSql = u"");

  /// Appends an empty connection and returns it.
  std::shared_ptr<c_connect> Add();

  /// The connection at 1-based `vntIndexKey`; nullptr (reported, never thrown) outside 1..Count.
  ///   Item(1) -> first connection, Item(0) -> nullptr
  std::shared_ptr<c_connect> Item(std::int32_t vntIndexKey) const noexcept;

  /// Connections carry no key, so a text key always gives nullptr (reported, never thrown).
  std::shared_ptr<c_connect> Item(std::u16string_view vntIndexKey) const noexcept;

  /// Number of connections held.
  std::int32_t Count() const noexcept;

  /// Removes the connection at 1-based `vntIndexKey`; outside 1..Count nothing changes
  /// (reported, never thrown). A narrower integer is promoted and also taken as a position:
  /// there is no separate 16-bit form that would silently remove nothing.
  void Remove(std::int32_t vntIndexKey) noexcept;

  /// Removes the first connection whose nm_line equals `vntIndexKey` exactly, if any.
  ///   Remove(u"") removes the first connection (nm_line is never set); Remove(u"x") nothing.
  void Remove(std::u16string_view vntIndexKey) noexcept;

 private:
  std::vector<std::shared_ptr<c_connect>> connections_;
};

}  // namespace wheretree
