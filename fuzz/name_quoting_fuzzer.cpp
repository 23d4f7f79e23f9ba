// Quotes, unquotes and splits one name in every SQL dialect: input "<name>".
//
// Checked: quoting and unquoting never throw (they report their own failures); dialects that
// quote nothing or strip nothing give the name back unchanged; a single name part quoted by a
// dialect that strips the same quotes unquotes to itself; a field reference splits into parts as
// its number of dots says; only wheretree::Error escapes from the split.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "sqltext/condition_text.h"
#include "sqltext/name_quoting.h"

namespace wt = wheretree;
namespace fz = wheretree::fuzz;

namespace {

bool SamePairs(const wt::SqlDialect& d) {
  return !d.bound.IsNothing() && d.bound.open == d.unbound.open && d.bound.close == d.unbound.close;
}

void CheckDialect(std::int32_t vid, const std::u16string& name) {
  const wt::SqlDialect dialect = wt::DialectOf(vid);
  std::u16string variable = name;
  std::u16string bound, unbound;
  fz::Expect(fz::Completes("BoundBlunkName", [&] { bound = wt::BoundBlunkName(vid, variable); }),
             "BoundBlunkName never throws", name);
  fz::Expect(fz::Completes("UnBoundBlunkName", [&] { unbound = wt::UnBoundBlunkName(vid, name); }),
             "UnBoundBlunkName never throws", name);
  if (dialect.bound.IsNothing()) {
    fz::Expect(bound == name && variable == name, "a dialect without quotes leaves the name", name);
  }
  if (dialect.unbound.IsNothing()) {
    fz::Expect(unbound == name, "a dialect that strips nothing leaves the name", name);
  }
  if (!dialect.doubles_quotes) {
    fz::Expect(variable == name, "only double-quote dialects change the caller's name", name);
  }
  const bool single_part = name.find(u'.') == std::u16string::npos;
  const bool has_mark = name.find(wt::SpaceMark) != std::u16string::npos;
  // With doubled quotes, a name that starts with a double quote is ambiguous: the opening quote
  // pairs with the name's first (doubled) quote when the pairs are made single again.
  const bool leading_quote = dialect.doubles_quotes && name.starts_with(u'"');
  if (SamePairs(dialect) && single_part && !has_mark && !leading_quote && !name.empty() &&
      name != u"*") {
    fz::Expect(wt::UnBoundBlunkName(vid, bound) == name, "unquoting undoes quoting", name);
  }
}

void CheckSplit(std::int32_t vid, const std::u16string& reference) {
  std::u16string first = u"x", second = u"x", field = u"x";
  std::int16_t dots = -1;
  if (!fz::Completes("SplitFieldReference", [&] {
        dots = wt::SplitFieldReference(reference, first, second, field, vid);
      })) {
    return;
  }
  fz::Expect(dots >= 0, "the number of dots is not negative", reference);
  if (dots == 0) fz::Expect(first.empty() && second.empty(), "a bare field has no table");
  if (dots == 1) fz::Expect(second.empty(), "alias.field has no second part", reference);
  if (dots == 2) fz::Expect(first == second, "schema.table.field names the table twice");
  if (dots >= 3) {
    fz::Expect(first.empty() && second.empty() && field.empty(), "three dots or more give no parts",
               reference);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string name = fz::SplitParts(data, size, 1)[0];
  for (std::int32_t vid = -1; vid <= 15; ++vid) {
    CheckDialect(vid, name);
    CheckSplit(vid, name);
  }
  const std::u16string underscored = wt::del_in_name(name);
  fz::Expect(underscored.size() == name.size() && underscored.find(u'.') == std::u16string::npos,
             "del_in_name turns every dot into an underscore", name);
  return 0;
}
