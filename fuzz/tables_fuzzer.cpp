// Fills a table catalogue from an AML table list and asks it which table an operand belongs to:
// input "<AML table list>\0<probes>\0<operation bytes>". Probes are lines "table|alias|field".
// The operation bytes change the catalogue between searches (remove and add tables, rename
// tables, change, add and remove aliases, add fields), which the catalogue's search index must
// follow.
//
// Checked: only wheretree::Error escapes; every search answers what a plain scan of the tables
// in declaration order answers, for the given probes and for probes made from every declared
// table, alias and field.
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/tables.h"
#include "fuzz_input.h"

namespace wt = wheretree;
namespace fz = wheretree::fuzz;

namespace {

struct Probe {
  std::u16string tbl, ali, pole;
};

std::vector<Probe> ParseProbes(const std::u16string& text) {
  std::vector<Probe> probes;
  std::size_t start = 0;
  while (start <= text.size() && probes.size() < 64) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    const std::u16string line = text.substr(start, end - start);
    Probe p;
    const std::size_t a = line.find(u'|');
    const std::size_t b = a == std::u16string::npos ? a : line.find(u'|', a + 1);
    p.tbl = line.substr(0, a);
    if (a != std::u16string::npos) p.ali = line.substr(a + 1, b == a ? b : b - a - 1);
    if (b != std::u16string::npos) p.pole = line.substr(b + 1);
    probes.push_back(std::move(p));
    start = end + 1;
  }
  return probes;
}

// The search read plainly: every table in order, every alias and field from the first.
bool PlainFind(const wt::tables& catalogue, std::u16string& Tbl, const std::u16string& Ali,
               const std::u16string& Pole) {
  for (const auto& t : catalogue) {
    if (!Tbl.empty() && Tbl != t->TableName()) continue;
    bool alias_ok = false;
    for (const auto& a : t->Aliases()) {
      if (Ali.empty() || a->Key() == Ali) {
        alias_ok = true;
        break;
      }
    }
    if (!alias_ok) continue;
    for (const auto& p : t->poles()) {
      if (p == Pole) {
        Tbl = t->TableName();
        return true;
      }
    }
  }
  return false;
}

void CheckProbe(wt::tables& catalogue, const Probe& p) {
  std::u16string tbl = p.tbl;
  std::u16string expected_tbl = p.tbl;
  bool found = false;
  fz::Expect(fz::Completes("FindJoinsAliasPole",
                           [&] { found = catalogue.FindJoinsAliasPole(tbl, p.ali, p.pole); }),
             "FindJoinsAliasPole completes within the limits");
  const bool expected = PlainFind(catalogue, expected_tbl, p.ali, p.pole);
  fz::Expect(found == expected, "the search answers as a plain scan does", p.pole);
  fz::Expect(tbl == expected_tbl, "the search names the table a plain scan names", tbl);
}

void CheckAll(wt::tables& catalogue, const std::vector<Probe>& probes) {
  for (const auto& p : probes) CheckProbe(catalogue, p);
  // Probes made of the declared names, so that the searches also hit.
  std::size_t made = 0;
  for (const auto& t : catalogue) {
    for (const auto& pole : t->poles()) {
      if (++made > 256) return;
      CheckProbe(catalogue, {u"", u"", pole});
      CheckProbe(catalogue, {t->TableName(), u"", pole});
      for (const auto& a : t->Aliases()) {
        CheckProbe(catalogue, {u"", a->Key(), pole});
        CheckProbe(catalogue, {t->TableName(), a->Key(), pole});
      }
    }
  }
}

const Probe& Pick(const std::vector<Probe>& probes, fz::ByteReader& ops) {
  return probes[ops.Below(static_cast<std::uint32_t>(probes.size()))];
}

// Changes the catalogue as one operation byte says.
void Change(wt::tables& catalogue, const std::vector<Probe>& probes, fz::ByteReader& ops) {
  const std::uint32_t op = ops.Below(7);
  const Probe& p = Pick(probes, ops);
  if (op == 0) {
    fz::Completes("Add", [&] { catalogue.Add(p.tbl, p.ali, p.pole); });
    return;
  }
  if (catalogue.Count() == 0) return;
  const auto position =
      static_cast<std::int32_t>(ops.Below(static_cast<std::uint32_t>(catalogue.Count())) + 1);
  const auto t = catalogue.Item(position);
  const auto alias_count = t->Aliases().Count();
  const auto alias =
      alias_count == 0
          ? 0
          : static_cast<std::int32_t>(ops.Below(static_cast<std::uint32_t>(alias_count)) + 1);
  switch (op) {
    case 1:
      catalogue.Remove(position);
      break;
    case 2:
      t->TableName(p.tbl);
      break;
    case 3:
      if (alias != 0) t->Aliases().Item(alias)->Key(p.ali);
      break;
    case 4:
      fz::Completes("AddAlias", [&] { t->AddAlias(p.ali); });
      break;
    case 5:
      if (alias != 0) t->Aliases().Remove(alias);
      break;
    default:
      fz::Completes("AddPoles", [&] { t->AddPoles(p.pole); });
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fz::SplitParts(data, size, 3);
  fz::ByteReader ops(fz::RawPart(data, size, 3, 2));
  wt::tables catalogue;
  std::u16string aml = parts[0];
  // A failed read keeps the tables of the blocks before the failure.
  fz::Completes("AddFromAml", [&] { catalogue.AddFromAml(aml); });
  const std::vector<Probe> probes = ParseProbes(parts[1]);
  CheckAll(catalogue, probes);
  for (int step = 0; step < 32 && !ops.Empty(); ++step) {
    Change(catalogue, probes, ops);
    CheckAll(catalogue, probes);
  }
  return 0;
}
