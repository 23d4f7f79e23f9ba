#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/table.h"
#include "catalogue/table_index.h"
#include "common/keyed_collection.h"

namespace wheretree {

/// The catalogue of the tables a query declares, in declaration order, each keyed by its name
/// (letter case ignored). It answers whether an operand of a comparison is a field of a declared
/// table (FindJoinsAliasPole). At most 32767 tables; one more is Error(overflow).
///
///   tables catalogue;
///   catalogue.Add(u"EMP", u"E", u"EMPNO,ENAME,DEPTNO");   // EMP: alias E; poles
///   E,EMPNO,ENAME,DEPTNO std::u16string tbl; catalogue.FindJoinsAliasPole(tbl, u"E", u"DEPTNO") //
///   -> true, tbl == u"EMP"
///
/// The catalogue is neither copied nor moved: its tables report their changes to it.
class tables {
 public:
  tables();
  tables(const tables&) = delete;
  tables& operator=(const tables&) = delete;

  /// Finds the first table, in declaration order, that passes three exact, case-sensitive tests:
  /// `Tbl` is empty or equals its name; `Ali` is one of its aliases, or, when `Ali` is empty, it
  /// has at least one alias; `Pole` is one of its fields. On success writes that table's name into
  /// `Tbl` and returns true; otherwise returns false and leaves `Tbl` alone.
  ///   Tbl = u"", FindJoinsAliasPole(Tbl, u"", u"ENAME") -> true, Tbl == u"EMP"
  ///   Tbl = u"emp", FindJoinsAliasPole(Tbl, u"E", u"DEPTNO") -> false, Tbl == u"emp"
  /// Error(overflow) when the search reaches a table holding more than 32767 aliases or fields.
  bool FindJoinsAliasPole(std::u16string& Tbl, const std::u16string& Ali,
                          const std::u16string& Pole);
  /// The table FindJoinsAliasPole finds, or nullptr; it stays owned by the catalogue and is valid
  /// until the catalogue changes.
  ///   FindJoinsTable(u"", u"E", u"DEPTNO")->TableName() == u"EMP"
  const table* FindJoinsTable(std::u16string_view Tbl, std::u16string_view Ali,
                              std::u16string_view Pole);

  /// Reads an AML table list and calls Add for each "<T>" block in text order: the name is the text
  /// before the block's first "<AA>", the alias list its first AA value, the field list its first
  /// PP value. An empty `inAml` becomes u" " and adds nothing. A block without an AA or PP pair is
  /// Error(out_of_range); the tables of the blocks before it stay.
  ///   AddFromAml(x = u"<T>EMP<AA>E<AA><PP>EMPNO<PP><T>") -> Add(u"EMP", u"E", u"EMPNO")
  void AddFromAml(std::u16string& inAml);

  /// Declares table `Name` (exact, case-sensitive search) and returns it: its fields are the pieces
  /// of the comma list `alias` followed by those of `poles`, its aliases the pieces of `alias`.
  /// When `Name` is already declared, registers the whole `alias` text as one more alias of that
  /// table and returns nullptr. Errors: duplicate_key for a name equal to a declared one but for
  /// letter case, or for an alias the declared table already has; overflow past the limits.
  ///   Add(u"EMP", u"E,E2", u"DEPTNO") -> EMP, aliases E, E2; poles E, E2, DEPTNO
  ///   then Add(u"EMP", u"E3,E4", u"") -> nullptr; EMP gains the one alias "E3,E4"
  std::shared_ptr<table> Add(std::u16string_view Name, std::u16string_view alias,
                             std::u16string_view poles);

  /// The table at 1-based `position` or under the name `key` (letter case ignored);
  /// Error(out_of_range) when there is none.
  std::shared_ptr<table> Item(std::int32_t position) const { return tables_.Item(position); }
  std::shared_ptr<table> Item(std::u16string_view key) const { return tables_.Item(key); }

  /// Number of tables.
  std::int32_t Count() const noexcept { return tables_.Count(); }

  /// Removes the table at `position` or under `key`; Error(out_of_range) when there is none.
  void Remove(std::int32_t position);
  void Remove(std::u16string_view key);

  /// The tables in declaration order.
  auto begin() const noexcept { return tables_.begin(); }
  auto end() const noexcept { return tables_.end(); }

 private:
  TableIndex& FreshIndex();
  void Detach(const std::shared_ptr<table>& t);

  KeyedCollection<std::shared_ptr<table>> tables_;
  // Every change to a table of this catalogue counts into `revision_`; the index is up to date
  // when it was built at the current revision.
  std::shared_ptr<std::uint64_t> revision_;
  std::uint64_t indexed_revision_ = 0;
  TableIndex index_;
};

}  // namespace wheretree
