#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/change_signal.h"
#include "common/keyed_collection.h"

namespace wheretree {

/// One alias under which a query refers to a declared table.
///
///   cAlias a(u"E");   // a.Key() == u"E", a.Used() == false
class cAlias {
 public:
  explicit cAlias(std::u16string key = {}, std::shared_ptr<ChangeSignal> signal = nullptr);

  /// The alias text, exactly as registered.
  const std::u16string& Key() const noexcept { return key_; }
  /// Replaces the alias text (the registry keeps the key it was registered under).
  void Key(std::u16string key);

  /// A flag that starts false; nothing in the library reads or changes it.
  bool Used() const noexcept { return used_; }
  void Used(bool used) noexcept { used_ = used; }

 private:
  std::u16string key_;
  bool used_ = false;
  std::shared_ptr<ChangeSignal> signal_;
};

/// The alias registry of one table: aliases in the order registered, each keyed by its own text,
/// letter case ignored, so one registry cannot hold E and e.
///
///   cAliases r;
///   r.Add(u"E");  r.Add(u"E2");   // r.Count() == 2, r.Item(2)->Key() == u"E2"
///   r.Add(u"e");                  // throws Error(duplicate_key); r.Count() stays 2
///   r.Item(u"e")->Key()           // -> u"E"
class cAliases {
 public:
  /// An empty registry; changes to it and to its aliases are raised on `signal` when one is given.
  explicit cAliases(std::shared_ptr<ChangeSignal> signal = nullptr);

  /// Registers `Key` as a new alias (Used false) and returns it; an alias equal to `Key`, letter
  /// case ignored, already held fails with Error(duplicate_key) and leaves the registry unchanged.
  std::shared_ptr<cAlias> Add(const std::u16string& Key);

  /// The alias at 1-based `position`; Error(out_of_range) outside 1..Count().
  std::shared_ptr<cAlias> Item(std::int32_t position) const { return aliases_.Item(position); }
  /// The alias registered under `key`, letter case ignored; Error(out_of_range) when none.
  std::shared_ptr<cAlias> Item(std::u16string_view key) const { return aliases_.Item(key); }

  /// Number of aliases.
  std::int32_t Count() const noexcept { return aliases_.Count(); }

  /// Removes the alias at `position` or under `key`; Error(out_of_range) when there is none.
  void Remove(std::int32_t position);
  void Remove(std::u16string_view key);

  /// The aliases in order.
  auto begin() const noexcept { return aliases_.begin(); }
  auto end() const noexcept { return aliases_.end(); }

 private:
  KeyedCollection<std::shared_ptr<cAlias>> aliases_;
  std::shared_ptr<ChangeSignal> signal_;
};

}  // namespace wheretree
