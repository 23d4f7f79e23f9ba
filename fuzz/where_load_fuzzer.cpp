// Loads a WHERE text with a table list: input "<where>\0<AML table list>".
//
// Checked: only wheretree::Error escapes; a completed load leaves the caller's text empty and a
// tree without joined markers or empty levels; the returned AML reads back into a collection;
// the text written from the tree becomes stable under loading and writing it again.
#include <algorithm>
#include <cstdint>
#include <string>

#include "control/where_tree_view_control.h"
#include "fuzz_input.h"
#include "joins/c_connects.h"
#include "tree_invariants.h"

namespace wt = wheretree;
namespace fz = wheretree::fuzz;

namespace {

// Loads `where` without a table list (so nothing is extracted) and writes the tree back.
bool Reload(wt::WhereTreeViewControl& control, const std::u16string& where, std::u16string& out) {
  std::u16string text = where;
  return fz::Completes("LoadWhereString (reload)", [&] {
    control.LoadWhereString(text);
    fz::CheckLoadedTree(control.TvWhere());
    out = control.CreateWhereString(0);
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto parts = fz::SplitParts(data, size, 2);
  wt::WhereTreeViewControl control;
  std::u16string where = parts[0];
  std::u16string aml;
  const bool loaded =
      fz::Completes("LoadWhereString", [&] { aml = control.LoadWhereString(where, parts[1]); });
  // The tree is left as far as the load got: whatever that is, it is a well-formed tree.
  fz::CheckTreeStructure(control.TvWhere());
  if (!loaded) return 0;
  fz::Expect(where.empty(), "the load consumes the caller's text", where);
  fz::CheckLoadedTree(control.TvWhere());
  fz::Expect(control.NodeCounter() >= control.TvWhere().Nodes().Count(),
             "the node counter is the node count before the joins left");

  // The connections come back as AML that reads into a collection, one connection per block.
  // Names are carried unescaped, so a name holding "<" can break its block: then only the
  // absence of a crash is checked.
  std::size_t blocks = 0;
  for (std::size_t p = aml.find(u"\r\n<JOIN>\r\n"); p != std::u16string::npos;
       p = aml.find(u"\r\n<JOIN>\r\n", p + 1)) {
    ++blocks;
  }
  const auto brackets = static_cast<std::size_t>(std::count(aml.begin(), aml.end(), u'<'));
  wt::c_connects connections;
  std::u16string aml_copy = aml;
  const bool read = fz::Completes("LoadAmlString of the load's result",
                                  [&] { connections.LoadAmlString(aml_copy); });
  if (brackets == 10 * blocks) {
    fz::Expect(read, "the AML a load returns reads back", aml);
    fz::Expect(static_cast<std::size_t>(connections.Count()) == blocks,
               "the returned AML has one block per connection", aml);
  }

  std::u16string written;
  fz::Expect(fz::Completes("CreateWhereString", [&] { written = control.CreateWhereString(2); }),
             "a loaded tree can be written");
  std::u16string first;
  if (!fz::Completes("CreateWhereString", [&] { first = control.CreateWhereString(0); })) {
    fz::Fail("a loaded tree can be written twice");
  }
  fz::Expect(written.size() >= first.size(), "indenting adds to the text");

  // Round trip. Every write puts a line break after each "(", which the next load reads as a
  // space, so the members of a group gain a leading space: a group that began with a word such as
  // "AND" now begins with the separator " AND ", and the tree changes. Each round can expose one
  // more level this way, so the text is not stable after one round in general; it must become
  // stable within one round per bracket (plus one). A reload may also fail where the written
  // text has grown past the length limit.
  const auto brackets_in = static_cast<std::size_t>(std::count(first.begin(), first.end(), u'('));
  std::u16string previous = first;
  for (std::size_t round = 0; round <= brackets_in + 1; ++round) {
    std::u16string next;
    if (!Reload(control, previous, next)) return 0;
    if (next == previous) return 0;
    previous = std::move(next);
  }
  fz::Fail("the written WHERE becomes stable under load and write", previous);
  return 0;
}
