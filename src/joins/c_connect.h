#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace wheretree {

/// One join connection: a field of the from-table compared with a field of the to-table, the
/// kind of join (`tp_con`: 0 inner, 1 left outer, 2 right outer) and the comparison operator
/// (`con_con`: 0 "=", 1 "<>", 2 ">", 3 "<", 4 ">=", 5 "<="). The texts are stored ready to
/// print. A new connection has every text empty, every number 0 and every flag false.
///
///   c_connect c;  c.t_from(u"ORDERS");  c.t_from_ali(u"o");
///   c.TblFromPlusAlias() -> u"ORDERS o"
///
/// Each property is a getter/setter pair. Setting a text only moves the value in, so nothing
/// can fail inside a setter or getter and none of them reports anything.
class c_connect {
 public:
  /// True when the to-table text was taken unchanged (no quoting, no dot replacement).
  bool FlagSql_To() const noexcept { return flag_sql_to_; }
  void FlagSql_To(bool vData) noexcept { flag_sql_to_ = vData; }

  /// True when the from-table text was taken unchanged.
  bool FlagSql_From() const noexcept { return flag_sql_from_; }
  void FlagSql_From(bool vData) noexcept { flag_sql_from_ = vData; }

  /// Free text handed in with the connection; kept and returned, never written by a writer.
  const std::u16string& SQL() const noexcept { return sql_; }
  void SQL(std::u16string vData) noexcept { sql_ = std::move(vData); }

  /// Alias of the side a signed index points at: `t_to_ali` for i > 0, `t_from_ali` for i < 0.
  ///   AliasDependSign(1) -> t_to_ali(), AliasDependSign(-5) -> t_from_ali(), (0) -> u""
  std::u16string AliasDependSign(std::int32_t i) const;

  /// Table text of the side i points at: the table, plus " " and the alias when they differ.
  ///   t_to u"CUSTOMERS", t_to_ali u"c":  TblPlusAlias(1) -> u"CUSTOMERS c";  TblPlusAlias(0) ->
  ///   u""
  std::u16string TblPlusAlias(std::int32_t i) const;

  /// The from-table text: `t_from`, plus " " and `t_from_ali` when they differ.
  ///   t_from u"EMP", t_from_ali u"EMP" -> u"EMP";  t_from_ali u"e" -> u"EMP e"
  std::u16string TblFromPlusAlias() const;

  /// Comparison operator code.
  std::int32_t con_con() const noexcept { return con_con_; }
  void con_con(std::int32_t vData) noexcept { con_con_ = vData; }

  /// Alias of the from-table as printed; equals `t_from` when the table has no alias of its own.
  const std::u16string& t_from_ali() const noexcept { return t_from_ali_; }
  void t_from_ali(std::u16string vData) noexcept { t_from_ali_ = std::move(vData); }

  /// Alias of the to-table as printed.
  const std::u16string& t_to_ali() const noexcept { return t_to_ali_; }
  void t_to_ali(std::u16string vData) noexcept { t_to_ali_ = std::move(vData); }

  /// Field of the to-table as printed.
  const std::u16string& p_to() const noexcept { return p_to_; }
  void p_to(std::u16string vData) noexcept { p_to_ = std::move(vData); }

  /// Field of the from-table as printed; empty for a connection that only stands for a table.
  const std::u16string& p_from() const noexcept { return p_from_; }
  void p_from(std::u16string vData) noexcept { p_from_ = std::move(vData); }

  /// To-table name as printed; empty for a connection that only stands for a table.
  const std::u16string& t_to() const noexcept { return t_to_; }
  void t_to(std::u16string vData) noexcept { t_to_ = std::move(vData); }

  /// From-table name as printed.
  const std::u16string& t_from() const noexcept { return t_from_; }
  void t_from(std::u16string vData) noexcept { t_from_ = std::move(vData); }

  /// Name of the connection. Nothing assigns it, so it stays empty; removing by text key
  /// compares against it.
  const std::u16string& nm_line() const noexcept { return nm_line_; }

  /// Join type code.
  std::int32_t tp_con() const noexcept { return tp_con_; }
  void tp_con(std::int32_t vData) noexcept { tp_con_ = vData; }

 private:
  bool flag_sql_to_ = false;
  bool flag_sql_from_ = false;
  std::u16string sql_;
  std::int32_t con_con_ = 0;
  std::u16string t_from_ali_;
  std::u16string t_to_ali_;
  std::u16string p_to_;
  std::u16string p_from_;
  std::u16string t_to_;
  std::u16string t_from_;
  std::u16string nm_line_;
  std::int32_t tp_con_ = 0;
};

}  // namespace wheretree
