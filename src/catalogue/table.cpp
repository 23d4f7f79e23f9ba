#include "catalogue/table.h"

#include <string_view>
#include <utility>

#include "common/error.h"
#include "common/text.h"

namespace wheretree {
namespace {

// Calls `use` with each piece of a comma list, untrimmed: u"A,,B" -> A, (empty), B. The empty
// text has no pieces at all.
template <typename Use>
void ForEachCommaPiece(std::u16string_view list, Use&& use) {
  if (list.empty()) return;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = list.find(u',', start);
    if (comma == std::u16string_view::npos) {
      use(list.substr(start));
      return;
    }
    use(list.substr(start, comma - start));
    start = comma + 1;
  }
}

std::string Quoted(std::u16string_view name) {
  return "\"" + ToUtf8(name) + "\"";
}

}  // namespace

table::table() : signal_(std::make_shared<ChangeSignal>()) {}

void table::TableName(std::u16string name) {
  table_name_ = std::move(name);
  signal_->Raise();
}

void table::poles(KeyedCollection<std::u16string> fields) {
  poles_ = std::move(fields);
  signal_->Raise();
}

cAliases& table::Aliases() {
  if (!aliases_) aliases_.emplace(signal_);
  return *aliases_;
}

void table::InitTable(std::u16string_view Name, std::u16string_view list) {
  TableName(std::u16string(Name));
  AddPoles(list);
}

void table::AddAliases(std::u16string_view list) {
  bool refused = false;
  ForEachCommaPiece(list, [&](std::u16string_view piece) {
    if (refused) return;
    try {
      AddAlias(std::u16string(piece));
    } catch (const Error& error) {
      // Only a duplicate ends the list quietly; running out of room is reported to the caller.
      if (error.Kind() != ErrorKind::duplicate_key) throw;
      refused = true;
    }
  });
}

void table::AddPoles(std::u16string_view list) {
  ForEachCommaPiece(list, [&](std::u16string_view piece) {
    // The message is only built when it is needed: this runs for every field of every table.
    if (poles_.Count() >= kMaxInt16) {
      CheckInt16(static_cast<std::int64_t>(poles_.Count()) + 1,
                 "the number of fields of table " + Quoted(table_name_));
    }
    poles_.Add(std::u16string(piece));
    signal_->Raise();
  });
}

std::shared_ptr<cAlias> table::AddAlias(const std::u16string& alias) {
  cAliases& registry = Aliases();
  if (registry.Count() >= kMaxInt16) {
    CheckInt16(static_cast<std::int64_t>(registry.Count()) + 1,
               "the number of aliases of table " + Quoted(table_name_));
  }
  return registry.Add(alias);
}

}  // namespace wheretree
