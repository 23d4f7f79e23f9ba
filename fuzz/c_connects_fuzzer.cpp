// Reads an AML connection list and writes the collection in every form: input
// "<AML connection list>\0<code bytes>". The code bytes then set arbitrary join and condition
// codes on the connections read, so the writers also see codes no reader produces.
//
// Checked: only wheretree::Error escapes; the AML written reads back into a fresh collection
// with the same connections; the Oracle writers leave the collection alone and agree with their
// prefix-less forms; CreJoinAnsi empties the collection and writes exactly what a plain reading
// of the joining rules (rescanning every connection at every step) writes.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/string_array.h"
#include "common/text.h"
#include "fuzz_input.h"
#include "joins/c_connects.h"
#include "joins/connection_codes.h"
#include "sqltext/text_utils.h"

namespace wt = wheretree;
namespace fz = wheretree::fuzz;

namespace {

using Connections = std::vector<std::shared_ptr<wt::c_connect>>;

std::shared_ptr<wt::c_connect> Copy(const wt::c_connect& c) {
  auto copy = std::make_shared<wt::c_connect>();
  copy->t_from(c.t_from());
  copy->t_from_ali(c.t_from_ali());
  copy->p_from(c.p_from());
  copy->t_to(c.t_to());
  copy->t_to_ali(c.t_to_ali());
  copy->p_to(c.p_to());
  copy->tp_con(c.tp_con());
  copy->con_con(c.con_con());
  return copy;
}

Connections CopyAll(const wt::c_connects& from) {
  Connections out;
  for (std::int32_t i = 1; i <= from.Count(); ++i) out.push_back(Copy(*from.Item(i)));
  return out;
}

std::int64_t NextJoinIndex(const wt::StringArray& aliases, const Connections& list) {
  for (const auto& alias : aliases) {
    for (std::size_t j = 0; j < list.size(); ++j) {
      const auto position = static_cast<std::int64_t>(j) + 1;
      if (list[j]->t_from_ali() == alias) return position;
      if (list[j]->t_to_ali() == alias) return -position;
    }
  }
  return 0;
}

// The joining rules read plainly: a shrinking list, every step rescanning all of it.
std::u16string PlainCreJoinAnsi(Connections list, bool FlFrom) {
  std::u16string tables;
  for (std::size_t i = list.size(); i-- > 0;) {
    if (list[i]->p_from().empty()) {
      tables += list[i]->TblFromPlusAlias() + u", ";
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  tables = tables.size() < 3 ? std::u16string() : tables.substr(0, tables.size() - 2);
  while (!list.empty()) {
    wt::StringArray chain({list[0]->t_from_ali()});
    std::u16string expression = list[0]->TblFromPlusAlias();
    for (std::int64_t k = 1; k != 0; k = NextJoinIndex(chain, list)) {
      const auto& c = *list[static_cast<std::size_t>((k > 0 ? k : -k) - 1)];
      const std::int32_t sign = k > 0 ? 1 : -1;
      chain.Push(c.AliasDependSign(sign));
      expression = u"(" + expression +
                   std::u16string(wt::TypeJoinText(std::int64_t{c.tp_con()} * sign)) +
                   c.TblPlusAlias(sign) + u" ON ";
      for (std::size_t j = list.size(); j-- > 0;) {
        const auto& d = *list[j];
        if (!wt::PairCountReached(chain, d.t_from_ali(), d.t_to_ali(), 2)) continue;
        expression += d.t_from_ali() + u"." + d.p_from() +
                      std::u16string(wt::TypeCondText(d.con_con())) + d.t_to_ali() + u"." +
                      d.p_to() + u" AND ";
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(j));
      }
      expression = expression.substr(0, expression.size() - 5) + u")";
    }
    tables += u", " + expression.substr(1, expression.size() - 2);
  }
  if (tables.size() > 2) {
    if (tables.starts_with(u", ")) tables.erase(0, 2);
    if (tables.ends_with(u", ")) tables.resize(tables.size() - 2);
  }
  return FlFrom ? tables : u"  FROM " + tables;
}

// A name that holds the text of a tag of the connection list cuts its block when read back.
bool HoldsTag(const std::u16string& name) {
  for (const auto* tag : {u"<JOIN>", u"<FROM>", u"<TO>", u"<TYPEJOIN>", u"<TYPECOND>"}) {
    if (wt::FindIgnoreCase(name, tag) != std::u16string::npos) return true;
  }
  return false;
}

bool AnyNameHoldsTag(const wt::c_connects& c) {
  for (std::int32_t i = 1; i <= c.Count(); ++i) {
    const auto& k = *c.Item(i);
    for (const auto* name :
         {&k.t_from(), &k.t_from_ali(), &k.p_from(), &k.t_to(), &k.t_to_ali(), &k.p_to()}) {
      if (HoldsTag(*name)) return true;
    }
  }
  return false;
}

void CheckAmlRoundTrip(const wt::c_connects& original) {
  const std::u16string aml = original.CreateAmlString();
  if (AnyNameHoldsTag(original)) return;
  wt::c_connects fresh;
  std::u16string text = aml;
  fz::Expect(fz::Completes("LoadAmlString of written AML", [&] { fresh.LoadAmlString(text); }),
             "written AML reads back", aml);
  fz::Expect(fresh.Count() == original.Count(), "AML keeps the number of connections", aml);
  // Reading runs every name through addNEW, which quotes names a bare SQL name cannot hold;
  // the text is unchanged exactly when that quoting leaves every name as it is. So compare with
  // the connections read from the values as written.
  wt::c_connects expected;
  for (std::int32_t i = 1; i <= original.Count(); ++i) {
    const auto& c = *original.Item(i);
    expected.addNEW(1, true, c.t_from_ali(), c.t_from(), false, c.p_from(), c.t_to_ali(), c.t_to(),
                    false, c.p_to(), wt::TypeJoinCode(c.tp_con()),
                    c.con_con() >= 0 && c.con_con() <= 5 ? c.con_con() : 0);
  }
  const std::u16string again = fresh.CreateAmlString();
  fz::Expect(again == expected.CreateAmlString(), "AML reads back the values it wrote", aml);
  if (expected.CreateAmlString() == aml) {
    fz::Expect(again == aml, "AML read and written again is unchanged", aml);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fz::SplitParts(data, size, 2);
  fz::ByteReader codes(fz::RawPart(data, size, 2, 1));
  wt::c_connects connections;
  std::u16string aml = parts[0];
  // A failed read keeps what it appended before the failure; the writers work on that.
  fz::Completes("LoadAmlString", [&] { connections.LoadAmlString(aml); });
  if (connections.Count() > 0) CheckAmlRoundTrip(connections);

  while (!codes.Empty() && connections.Count() > 0) {
    const auto& c = connections.Item(static_cast<std::int32_t>(
        codes.Below(static_cast<std::uint32_t>(connections.Count())) + 1));
    c->tp_con(static_cast<std::int8_t>(codes.Byte()));
    c->con_con(static_cast<std::int8_t>(codes.Byte()));
  }

  const std::int32_t count = connections.Count();
  std::u16string from_list, from_bare, joins, joins_bare;
  fz::Expect(fz::Completes("FromOracle",
                           [&] {
                             from_list = connections.FromOracle();
                             from_bare = connections.FromOracle(true);
                           }),
             "FromOracle completes");
  fz::Expect(from_list == u"  FROM " + from_bare, "FromOracle(false) is \"  FROM \" + list");
  joins = connections.CreJoinOracle();
  joins_bare = connections.CreJoinOracle(true);
  fz::Expect(joins == (joins_bare.empty() ? joins_bare : u" WHERE " + joins_bare),
             "CreJoinOracle(false) is \" WHERE \" + conditions");
  fz::Expect(connections.Count() == count, "the Oracle writers leave the collection alone");

  const Connections copies = CopyAll(connections);
  const bool flag = (size & 1) != 0;
  std::u16string ansi;
  fz::Expect(fz::Completes("CreJoinAnsi", [&] { ansi = connections.CreJoinAnsi(flag); }),
             "CreJoinAnsi completes");
  fz::Expect(connections.Count() == 0, "CreJoinAnsi empties the collection");
  fz::Expect(ansi == PlainCreJoinAnsi(copies, flag),
             "CreJoinAnsi writes what the plain reading of its rules writes", ansi);
  return 0;
}
