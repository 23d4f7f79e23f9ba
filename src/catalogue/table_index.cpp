#include "catalogue/table_index.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "common/error.h"
#include "common/text.h"

namespace wheretree {

void TableIndex::Stamps::insert(std::uint64_t stamp) {
  if (size_ == 0) {
    one_ = stamp;
  } else if (size_ == 1) {
    if (one_ == stamp) return;
    many_ = one_ < stamp ? std::vector<std::uint64_t>{one_, stamp}
                         : std::vector<std::uint64_t>{stamp, one_};
  } else if (many_.back() < stamp) {
    many_.push_back(stamp);
  } else {
    const auto at = std::lower_bound(many_.begin(), many_.end(), stamp);
    if (*at == stamp) return;
    many_.insert(at, stamp);
  }
  ++size_;
}

void TableIndex::Stamps::erase(std::uint64_t stamp) {
  if (size_ <= 1) {
    if (size_ == 1 && one_ == stamp) size_ = 0;
    return;
  }
  const auto at = std::lower_bound(many_.begin(), many_.end(), stamp);
  if (at == many_.end() || *at != stamp) return;
  many_.erase(at);
  if (--size_ == 1) {
    one_ = many_.front();
    many_.clear();
  }
}

void TableIndex::Clear() {
  entries_.clear();
  by_name_.clear();
  by_alias_.clear();
  by_pole_.clear();
  oversized_.clear();
}

void TableIndex::Reserve(std::size_t more) {
  // The room at least doubles when it grows, so that many short lists read one after another
  // stay linear overall (an exact reservation each time would move everything each time).
  const std::size_t wanted = entries_.size() + more;
  if (wanted <= entries_.capacity()) return;
  const std::size_t room = std::max(wanted, 2 * entries_.capacity());
  entries_.reserve(room);
  by_name_.reserve(room);
  by_alias_.reserve(room);
}

void TableIndex::Append(const std::shared_ptr<table>& t) {
  const std::uint64_t stamp = entries_.size();
  Entry e;
  e.tbl = t;
  const cAliases& aliases = t->Aliases();
  e.has_alias = aliases.Count() > 0;
  e.oversized = aliases.Count() > kMaxInt16 || t->poles().Count() > kMaxInt16;
  by_name_[t->TableName()].insert(stamp);
  for (const auto& alias : aliases) by_alias_[alias->Key()].insert(stamp);
  if (e.has_alias) {
    for (const auto& pole : t->poles()) by_pole_[pole].insert(stamp);
  }
  if (e.oversized) oversized_.insert(stamp);
  entries_.push_back(std::move(e));
}

std::optional<std::uint64_t> TableIndex::StampOf(const table& t) const {
  // Names are unique in a catalogue unless a renaming made two equal; the entry tells them apart.
  if (const Stamps* named = Lookup(by_name_, t.TableName())) {
    for (const std::uint64_t stamp : *named) {
      if (entries_[stamp].tbl.get() == &t) return stamp;
    }
  }
  return std::nullopt;
}

void TableIndex::AliasAdded(table& t, const std::u16string& alias) {
  const std::optional<std::uint64_t> found = StampOf(t);
  if (!found) return;
  const std::uint64_t stamp = *found;
  Entry& e = entries_[stamp];
  by_alias_[alias].insert(stamp);
  // A table's fields become searchable once it has an alias.
  if (!e.has_alias) {
    e.has_alias = true;
    for (const auto& pole : t.poles()) by_pole_[pole].insert(stamp);
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
  const Stamps* stamps = Lookup(by_name_, name);
  return stamps ? entries_[*stamps->begin()].tbl : nullptr;
}

const table* TableIndex::FindFirst(std::u16string_view tbl, std::u16string_view ali,
                                   std::u16string_view pole) const {
  // Walk the smallest set of tables that must contain the answer; the other tests are binary
  // searches in the sets of the tables that have the alias and the field asked for.
  const Stamps* with_pole = Lookup(by_pole_, pole);
  const Stamps* with_alias = ali.empty() ? nullptr : Lookup(by_alias_, ali);
  const Stamps* candidates = nullptr;
  const bool impossible = !with_pole || (!ali.empty() && !with_alias);
  if (!impossible) {
    if (!tbl.empty()) {
      candidates = Lookup(by_name_, tbl);
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
  Unlink(by_name_, t.TableName(), stamp);
  for (const auto& alias : t.Aliases()) Unlink(by_alias_, alias->Key(), stamp);
  for (const auto& pole : t.poles()) Unlink(by_pole_, pole, stamp);
  oversized_.erase(stamp);
  e = Entry{};
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
