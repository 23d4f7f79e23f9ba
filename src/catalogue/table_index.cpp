#include "catalogue/table_index.h"

#include <optional>
#include <utility>

#include "common/error.h"
#include "common/text.h"

namespace wheretree {

void TableIndex::Clear() {
  stamps_.clear();
  entries_.clear();
  by_name_.clear();
  by_alias_.clear();
  by_pole_.clear();
  oversized_.clear();
}

void TableIndex::Append(const std::shared_ptr<table>& t) {
  const std::uint64_t stamp = next_stamp_++;
  Entry e;
  e.tbl = t;
  e.name = t->TableName();
  const cAliases& aliases = t->Aliases();
  for (const auto& alias : aliases) e.aliases.insert(alias->Key());
  for (const auto& pole : t->poles()) e.poles.insert(pole);
  e.oversized = aliases.Count() > kMaxInt16 || t->poles().Count() > kMaxInt16;

  by_name_[e.name].insert(stamp);
  for (const auto& alias : e.aliases) by_alias_[alias].insert(stamp);
  if (!e.aliases.empty()) {
    for (const auto& pole : e.poles) by_pole_[pole].insert(stamp);
  }
  if (e.oversized) oversized_.insert(stamp);
  entries_[stamp] = std::move(e);
  stamps_[t.get()] = stamp;
}

void TableIndex::AliasAdded(table& t, const std::u16string& alias) {
  const auto found = stamps_.find(&t);
  if (found == stamps_.end()) return;
  const std::uint64_t stamp = found->second;
  Entry& e = entries_.at(stamp);
  const bool had_alias = !e.aliases.empty();
  if (e.aliases.insert(alias).second) by_alias_[alias].insert(stamp);
  // A table's fields become searchable once it has an alias.
  if (!had_alias) {
    for (const auto& pole : e.poles) by_pole_[pole].insert(stamp);
  }
  if (t.Aliases().Count() > kMaxInt16) {
    e.oversized = true;
    oversized_.insert(stamp);
  }
}

void TableIndex::Erase(const table& t) {
  const auto found = stamps_.find(&t);
  if (found == stamps_.end()) return;
  Forget(found->second);
  stamps_.erase(found);
}

std::shared_ptr<table> TableIndex::FindName(std::u16string_view name) const {
  const Stamps* stamps = Lookup(by_name_, name);
  return stamps ? entries_.at(*stamps->begin()).tbl : nullptr;
}

std::shared_ptr<table> TableIndex::FindFirst(std::u16string_view tbl, std::u16string_view ali,
                                             std::u16string_view pole) const {
  const auto passes = [&](const Entry& e) {
    if (!tbl.empty() && e.name != tbl) return false;
    if (ali.empty() ? e.aliases.empty() : !e.aliases.contains(ali)) return false;
    return e.poles.contains(pole);
  };
  // Walk the smallest set of tables that must contain the answer; the other tests are hash
  // lookups in the table's own entry.
  const Stamps* candidates = nullptr;
  if (!tbl.empty()) {
    candidates = Lookup(by_name_, tbl);
  } else {
    candidates = Lookup(by_pole_, pole);
    if (!ali.empty()) {
      const Stamps* with_alias = Lookup(by_alias_, ali);
      if (!with_alias || (candidates && with_alias->size() < candidates->size())) {
        candidates = with_alias;
      }
    }
  }
  std::optional<std::uint64_t> match;
  if (candidates) {
    for (const std::uint64_t stamp : *candidates) {
      if (passes(entries_.at(stamp))) {
        match = stamp;
        break;
      }
    }
  }
  // A table-by-table search fails on the first table beyond the 16-bit limits that it reaches:
  // one declared before the match, the match itself, or any one when nothing matches.
  if (!oversized_.empty() && (!match || *oversized_.begin() <= *match)) {
    const Entry& e = entries_.at(*oversized_.begin());
    throw Error::Overflow("table \"" + ToUtf8(e.name) +
                          "\" holds more than 32767 aliases or fields, so it cannot be searched");
  }
  return match ? entries_.at(*match).tbl : nullptr;
}

void TableIndex::Forget(std::uint64_t stamp) {
  const auto found = entries_.find(stamp);
  if (found == entries_.end()) return;
  const Entry& e = found->second;
  Unlink(by_name_, e.name, stamp);
  for (const auto& alias : e.aliases) Unlink(by_alias_, alias, stamp);
  for (const auto& pole : e.poles) Unlink(by_pole_, pole, stamp);
  oversized_.erase(stamp);
  entries_.erase(found);
}

void TableIndex::Unlink(TextMap& map, const std::u16string& text, std::uint64_t stamp) {
  const auto found = map.find(text);
  if (found == map.end()) return;
  found->second.erase(stamp);
  if (found->second.empty()) map.erase(found);
}

const TableIndex::Stamps* TableIndex::Lookup(const TextMap& map, std::u16string_view text) {
  const auto found = map.find(text);
  return found == map.end() ? nullptr : &found->second;
}

}  // namespace wheretree
