#include "catalogue/tables.h"

#include <string>
#include <utility>

#include "catalogue/aml.h"
#include "common/error.h"
#include "common/string_array.h"
#include "common/text.h"

namespace wheretree {

tables::tables() : revision_(std::make_shared<std::uint64_t>(0)) {}

bool tables::FindJoinsAliasPole(std::u16string& Tbl, const std::u16string& Ali,
                                const std::u16string& Pole) {
  const table* found = FindJoinsTable(Tbl, Ali, Pole);
  if (found == nullptr) return false;
  Tbl = found->TableName();
  return true;
}

const table* tables::FindJoinsTable(std::u16string_view Tbl, std::u16string_view Ali,
                                    std::u16string_view Pole) {
  return FreshIndex().FindFirst(Tbl, Ali, Pole);
}

void tables::AddFromAml(std::u16string& inAml) {
  // "<T>EMP<AA>E<AA><PP>EMPNO,DEPTNO<PP><T>": one block per T pair; inside it the name is the
  // text before the first <AA>, then the first AA value and the first PP value.
  if (inAml.empty()) inAml = u" ";  // the caller's text, as SplitAmlTag leaves it
  const std::vector<std::u16string_view> blocks = SplitAmlTagViews(u"T", inAml, -1);
  FreshIndex().Reserve(blocks.size());
  for (std::size_t i = 1; i < blocks.size(); ++i) {
    try {
      const std::vector<std::u16string_view> a = SplitAmlTagViews(u"AA", blocks[i], -1);
      const std::vector<std::u16string_view> p = SplitAmlTagViews(u"PP", blocks[i], -1);
      if (a.size() < 2) throw Error::OutOfRange("it has no alias list between two <AA> tags");
      if (p.size() < 2) throw Error::OutOfRange("it has no field list between two <PP> tags");
      Add(a[0], a[1], p[1]);
    } catch (const Error& error) {
      // Say which block failed; the tables of the blocks before it stay in the catalogue.
      throw Error(error.Kind(),
                  "table block " + std::to_string(i) + " of the table list: " + error.Message());
    }
  }
}

std::shared_ptr<table> tables::Add(std::u16string_view Name, std::u16string_view alias,
                                   std::u16string_view poles) {
  TableIndex& index = FreshIndex();
  if (const std::shared_ptr<table> declared = index.FindName(Name)) {
    // A table declared again: the whole alias text, commas and all, becomes one more alias.
    const std::u16string whole(alias);
    declared->AddAlias(whole);
    index.AliasAdded(*declared, whole);
    indexed_revision_ = *revision_;  // the only change since the index was fresh is ours
    return nullptr;
  }
  CheckInt16(static_cast<std::int64_t>(Count()) + 1, "the number of tables in the catalogue");
  // Empty names and empty alias pieces are accepted as keys like any other text: refusing them
  // would drop a table or, since a refused alias ends the alias list, the aliases after it.
  auto created = std::make_shared<table>();
  created->InitTable(Name, alias);  // the alias pieces open the field list
  created->AddAliases(alias);
  created->AddPoles(poles);
  tables_.Add(created, Name);  // duplicate_key for EMP vs emp: the new table is discarded
  created->Changes()->Connect(revision_);
  index.Append(created);
  return created;
}

void tables::Remove(std::int32_t position) {
  const std::shared_ptr<table> removed = tables_.Item(position);
  tables_.Remove(position);
  Detach(removed);
}

void tables::Remove(std::u16string_view key) {
  const std::shared_ptr<table> removed = tables_.Item(key);
  tables_.Remove(key);
  Detach(removed);
}

TableIndex& tables::FreshIndex() {
  // A table changed through its own members since the last build: read every table again.
  if (*revision_ != indexed_revision_) {
    index_.Clear();
    for (const auto& t : tables_) index_.Append(t);
    indexed_revision_ = *revision_;
  }
  return index_;
}

void tables::Detach(const std::shared_ptr<table>& t) {
  t->Changes()->Disconnect();
  // A stale index is rebuilt before its next use; only a fresh one matches the table's contents.
  if (*revision_ == indexed_revision_) index_.Erase(*t);
}

}  // namespace wheretree
