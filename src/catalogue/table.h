#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/c_alias.h"
#include "catalogue/change_signal.h"
#include "common/keyed_collection.h"

namespace wheretree {

/// One declared table of a query: its name, its field names ("poles") and its aliases. A table
/// holds at most 32767 fields and 32767 aliases; going past that is Error(overflow).
///
///   table t;
///   t.InitTable(u"EMP", u"E");    // TableName() == u"EMP", poles: E
///   t.AddAliases(u"E");           // aliases: E
///   t.AddPoles(u"EMPNO,ENAME");   // poles: E, EMPNO, ENAME
class table {
 public:
  table();
  // A table's parts report their changes through the table's signal: a copy would report into
  // the same catalogue, so tables are not copied.
  table(const table&) = delete;
  table& operator=(const table&) = delete;
  table(table&&) = default;
  table& operator=(table&&) = default;
  ~table() = default;

  /// The table's name, exactly as declared.
  const std::u16string& TableName() const noexcept { return table_name_; }
  void TableName(std::u16string name);

  /// The field names in the order added (entries without keys).
  const KeyedCollection<std::u16string>& poles() const noexcept { return poles_; }
  /// Replaces the whole field list.
  void poles(KeyedCollection<std::u16string> fields);

  /// The alias registry; the first call creates an empty one.
  cAliases& Aliases();

  /// Sets the name to `Name`, then appends the pieces of the comma list `list` to the fields.
  ///   InitTable(u"EMP", u"E,E2") -> TableName() == u"EMP", poles: E, E2
  void InitTable(std::u16string_view Name, std::u16string_view list);

  /// Registers each piece of the comma list `list` as an alias, in order. The first piece the
  /// registry refuses as a duplicate ends the call quietly; the pieces before it stay registered.
  ///   AddAliases(u"E,e,F") -> aliases: E (no error)
  void AddAliases(std::u16string_view list);

  /// Appends each piece of the comma list `list` to the fields, untrimmed; u"" adds nothing.
  ///   AddPoles(u"A,,B") -> three more fields: A, (empty), B
  void AddPoles(std::u16string_view list);

  /// Registers one alias, whole (commas included); Error(duplicate_key) when the registry already
  /// holds it (letter case ignored), Error(overflow) past 32767 aliases.
  ///   AddAlias(u"E3,E4") -> one alias whose text is E3,E4
  std::shared_ptr<cAlias> AddAlias(const std::u16string& alias);

  /// The signal raised whenever the name, the fields or the aliases change.
  const std::shared_ptr<ChangeSignal>& Changes() const noexcept { return signal_; }

 private:
  std::shared_ptr<ChangeSignal> signal_;
  std::u16string table_name_;
  // Declared before the registry, so the registry is released first.
  KeyedCollection<std::u16string> poles_;
  std::optional<cAliases> aliases_;
};

}  // namespace wheretree
