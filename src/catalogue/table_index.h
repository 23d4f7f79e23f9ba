#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/stamp_map.h"
#include "catalogue/table.h"

namespace wheretree {

/// The search index of a table catalogue: which tables have a given name, alias or field, in
/// declaration order. It answers "the first table that matches" by looking only at the tables that
/// have the name, alias or field asked for, instead of at every table, alias and field. The
/// catalogue keeps it in step as tables are appended, given aliases and removed.
///
///   TableIndex index;
///   index.Append(emp);                                   // EMP, alias E, fields E, EMPNO, DEPTNO
///   index.FindFirst(u"", u"E", u"DEPTNO") -> emp
///   index.FindFirst(u"emp", u"E", u"DEPTNO") -> nullptr  (names compare exactly)
class TableIndex {
 public:
  /// Forgets every table.
  void Clear();
  /// Makes room for `more` tables to be appended (saves rehashing while a list is read).
  void Reserve(std::size_t more);
  /// Indexes `t` as the last table of the catalogue.
  void Append(const std::shared_ptr<table>& t);
  /// Records that `alias` was just registered for `t` (already indexed).
  void AliasAdded(table& t, std::u16string_view alias);
  /// Forgets `t`; the order of the other tables stays. `t` must still have the name, aliases and
  /// fields it was indexed with (a catalogue rebuilds a stale index instead of erasing from it).
  void Erase(table& t);
  /// The first table whose name equals `name` exactly, or nullptr.
  std::shared_ptr<table> FindName(std::u16string_view name) const;
  /// The first table that passes all three tests, or nullptr: `tbl` is empty or equals its name;
  /// `ali` is one of its aliases, or, when `ali` is empty, it has an alias at all; `pole` is one of
  /// its fields. Comparisons are exact. Error(overflow) when the search reaches a table that holds
  /// more than 32767 aliases or fields. The table stays owned by the catalogue.
  const table* FindFirst(std::u16string_view tbl, std::u16string_view ali,
                         std::u16string_view pole) const;

 private:
  // One declared table; its name, aliases and fields are read from the table itself, which
  // cannot change them while the index is in use without the catalogue rebuilding it.
  struct Entry {
    std::shared_ptr<table> tbl;  // nullptr once erased
    bool has_alias = false;
    bool oversized = false;
  };

  void Forget(std::uint64_t stamp);
  // Indexes the tables still listed again, freeing what removed tables left behind.
  void Rebuild();

  // The stamp of an indexed table, found through its name.
  std::optional<std::uint64_t> StampOf(const table& t) const;

  // Stamps count from 0 since the last Clear() and index `entries_`.
  std::vector<Entry> entries_;
  StampMap by_name_;
  StampMap by_alias_;
  StampMap by_pole_;  // only tables with at least one alias: no search finds the others
  Stamps oversized_;
};

}  // namespace wheretree
