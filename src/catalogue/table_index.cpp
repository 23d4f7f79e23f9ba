#include "catalogue/table_index.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "common/error.h"
#include "common/text.h"

namespace wheretree {

void TableIndex::Clear() {
  entries_.clear();
  by_name_.Clear();
  by_alias_.Clear();
  by_pole_.Clear();
  oversized_.clear();
}

void TableIndex::Reserve(std::size_t more) {
  // The room at least doubles when it grows, so that many short lists read one after another
  // stay linear overall (an exact reservation each time would move everything each time).
  const std::size_t wanted = entries_.size() + more;
  if (wanted <= entries_.capacity()) return;
  const std::size_t room = std::max(wanted, 2 * entries_.capacity());
  entries_.reserve(room);
  by_name_.Reserve(room);
  by_alias_.Reserve(room);
}

void TableIndex::Append(const std::shared_ptr<table>& t) {
  const std::uint64_t stamp = entries_.size();
  Entry e;
  e.tbl = t;
  const cAliases& aliases = t->Aliases();
  e.has_alias = aliases.Count() > 0;
  e.oversized = aliases.Count() > kMaxInt16 || t->poles().Count() > kMaxInt16;
  by_name_.Insert(t->TableName(), stamp);
  for (const auto& alias : aliases) by_alias_.Insert(alias->Key(), stamp);
  if (e.has_alias) {
    for (const auto& pole : t->poles()) by_pole_.Insert(pole, stamp);
  }
  if (e.oversized) oversized_.insert(stamp);
  entries_.push_back(std::move(e));
}

std::optional<std::uint64_t> TableIndex::StampOf(const table& t) const {
  // Names are unique in a catalogue unless a renaming made two equal; the entry tells them apart.
  if (const Stamps* named = by_name_.Find(t.TableName())) {
    for (const std::uint64_t stamp : *named) {
      if (entries_[stamp].tbl.get() == &t) return stamp;
    }
  }
  return std::nullopt;
}

void TableIndex::AliasAdded(table& t, std::u16string_view alias) {
  const std::optional<std::uint64_t> found = StampOf(t);
  if (!found) return;
  const std::uint64_t stamp = *found;
  Entry& e = entries_[stamp];
  by_alias_.Insert(alias, stamp);
  // A table's fields become searchable once it has an alias.
  if (!e.has_alias) {
    e.has_alias = true;
    for (const auto& pole : t.poles()) by_pole_.Insert(pole, stamp);
  }
  if (t.Aliases().Count() > kMaxInt16) {
    e.oversized = true;
    oversized_.insert(stamp);
  }
}

void TableIndex::Erase(table& t) {
  if (const std::optional<std::uint64_t> found = StampOf(t)) Forget(*found);
}

std::shared_ptr<table> TableIndex::FindName(std::u16string_view name) const {
  const Stamps* stamps = by_name_.Find(name);
  return stamps ? entries_[*stamps->begin()].tbl : nullptr;
}

const table* TableIndex::FindFirst(std::u16string_view tbl, std::u16string_view ali,
                                   std::u16string_view pole) const {
  // Walk the smallest set of tables that must contain the answer; the other tests are binary
  // searches in the sets of the tables that have the alias and the field asked for.
  const Stamps* with_pole = by_pole_.Find(pole);
  const Stamps* with_alias = ali.empty() ? nullptr : by_alias_.Find(ali);
  const Stamps* candidates = nullptr;
  const bool impossible = !with_pole || (!ali.empty() && !with_alias);
  if (!impossible) {
    if (!tbl.empty()) {
      candidates = by_name_.Find(tbl);
    } else {
      candidates = with_alias && with_alias->size() < with_pole->size() ? with_alias : with_pole;
    }
  }
  const auto passes = [&](std::uint64_t stamp) {
    const Entry& e = entries_[stamp];
    if (!tbl.empty() && e.tbl->TableName() != tbl) return false;
    if (ali.empty() ? !e.has_alias : (candidates != with_alias && !with_alias->contains(stamp))) {
      return false;
    }
    return candidates == with_pole || with_pole->contains(stamp);
  };
  std::optional<std::uint64_t> match;
  if (candidates) {
    for (const std::uint64_t stamp : *candidates) {
      if (passes(stamp)) {
        match = stamp;
        break;
      }
    }
  }
  // A table-by-table search fails on the first table beyond the 16-bit limits that it reaches:
  // one declared before the match, the match itself, or any one when nothing matches.
  if (!oversized_.empty() && (!match || *oversized_.begin() <= *match)) {
    const Entry& e = entries_[*oversized_.begin()];
    throw Error::Overflow("table \"" + ToUtf8(e.tbl->TableName()) +
                          "\" holds more than 32767 aliases or fields, so it cannot be searched");
  }
  return match ? entries_[*match].tbl.get() : nullptr;
}

void TableIndex::Forget(std::uint64_t stamp) {
  if (stamp >= entries_.size() || !entries_[stamp].tbl) return;
  Entry& e = entries_[stamp];
  table& t = *e.tbl;
  by_name_.Unlink(t.TableName(), stamp);
  for (const auto& alias : t.Aliases()) by_alias_.Unlink(alias->Key(), stamp);
  for (const auto& pole : t.poles()) by_pole_.Unlink(pole, stamp);
  oversized_.erase(stamp);
  e = Entry{};
  // The maps keep the texts of forgotten tables until they are cleared: once those outweigh
  // the live ones, index again, so that adding and removing tables for ever stays bounded.
  const std::size_t dead = by_name_.DeadUnits() + by_alias_.DeadUnits() + by_pole_.DeadUnits();
  const std::size_t kept = by_name_.KeptUnits() + by_alias_.KeptUnits() + by_pole_.KeptUnits();
  if (dead > 4096 && 2 * dead > kept) Rebuild();
}

void TableIndex::Rebuild() {
  std::vector<std::shared_ptr<table>> live;
  live.reserve(entries_.size());
  for (const Entry& e : entries_) {
    if (e.tbl) live.push_back(e.tbl);
  }
  Clear();
  Reserve(live.size());
  for (const auto& t : live) Append(t);
}

}  // namespace wheretree
