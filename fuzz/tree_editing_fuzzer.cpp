// Edits a loaded tree the way a user and a host do: input
// "<where>\0<AML table list>\0<operation bytes>\0<text 1>\0<text 2>...". The operation bytes
// choose among adding levels and conditions, deleting, clicks and right double-clicks at rows of
// the tree, drag and drop, label edits, collapsing, renaming an alias, writing and reloading.
//
// Checked: only wheretree::Error escapes from the public methods, and the methods that handle
// their own failures throw nothing; after every operation the tree is well formed (indexes in
// creation order, parents before children, unique keys); writing always succeeds while the
// root exists.
#include <cstdint>
#include <string>
#include <vector>

#include "control/condition_tree.h"
#include "control/where_tree_view_control.h"
#include "fuzz_input.h"
#include "tree_invariants.h"

namespace wt = wheretree;
namespace fz = wheretree::fuzz;

namespace {

class SilentMessageBox : public wt::MessageBox {
 public:
  void Show(std::u16string_view, std::u16string_view, wt::MessageIcon) override { ++shown; }
  int shown = 0;
};

class Session {
 public:
  Session(std::vector<std::u16string> texts, std::u16string tables)
      : control_(nullptr, std::make_shared<SilentMessageBox>()),
        texts_(std::move(texts)),
        tables_(std::move(tables)) {}

  wt::WhereTreeViewControl& Control() { return control_; }

  void Run(fz::ByteReader& ops) {
    for (int step = 0; step < 200 && !ops.Empty(); ++step) {
      Apply(ops);
      fz::CheckTreeStructure(control_.TvWhere());
    }
    std::u16string out;
    if (control_.TvWhere().Nodes().Count() > 0) {
      fz::Expect(fz::Completes("CreateWhereString", [&] { out = control_.CreateWhereString(); }),
                 "a tree with its root can be written");
    }
  }

 private:
  const std::u16string& Text(fz::ByteReader& ops) const {
    static const std::u16string empty;
    return texts_.empty() ? empty : texts_[ops.Below(static_cast<std::uint32_t>(texts_.size()))];
  }
  // The y coordinate of a row of the tree (a few rows past the last hit nothing).
  float Row(fz::ByteReader& ops) const {
    const auto rows = static_cast<std::uint32_t>(control_.TvWhere().VisibleNodes().size()) + 3;
    return (static_cast<float>(ops.Below(rows)) + 0.5F) * control_.TvWhere().RowHeight();
  }
  static wt::TypeOfLogic Logic(fz::ByteReader& ops) {
    return static_cast<wt::TypeOfLogic>(ops.Below(8));
  }
  // Things that handle their own failures must not throw at all.
  static void Quiet(std::string_view what, const std::function<void()>& body) {
    fz::Expect(fz::Completes(what, body), "an operation that handles its failures threw");
  }

  void Apply(fz::ByteReader& ops) {
    auto& tree = control_.TvWhere();
    switch (ops.Below(12)) {
      case 0: {
        wt::TypeOfLogic logic = Logic(ops);
        Quiet("AddLevel", [&] { control_.AddLevel(logic); });
        break;
      }
      case 1: {
        const auto& text = Text(ops);
        const auto logic = Logic(ops);
        Quiet("AddNode", [&] { control_.AddNode(text, logic); });
        break;
      }
      case 2:
        Quiet("DeleteNode", [&] { control_.DeleteNode(); });
        break;
      case 3: {  // a left click on a row: the tree selects the node, then reports the click
        const float y = Row(ops);
        Quiet("click", [&] {
          control_.TvWhere_MouseDown(wt::kLeftButton, 0, 1, y);
          if (const auto node = tree.HitTest(1, y)) {
            tree.SelectedItem(node);
            control_.TvWhere_NodeClick(node);
          }
          control_.TvWhere_MouseUp(wt::kLeftButton, 0, 1, y);
          control_.TvWhere_Click();
        });
        break;
      }
      case 4: {  // a right double-click on a row
        const float y = Row(ops);
        Quiet("right double-click", [&] {
          control_.TvWhere_MouseDown(wt::kRightButton, 0, 1, y);
          control_.TvWhere_MouseUp(wt::kRightButton, 0, 1, y);
          control_.TvWhere_DblClick();
          control_.TvWhere_MouseUp(wt::kRightButton, 0, 1, y);
        });
        break;
      }
      case 5: {  // drag one row onto another
        const float from = Row(ops);
        const float to = Row(ops);
        Quiet("drag and drop", [&] {
          control_.TvWhere_MouseDown(wt::kLeftButton, 0, 1, from);
          std::int32_t effects = 0;
          control_.TvWhere_OLEStartDrag(effects);
          control_.TvWhere_OLEDragOver(1, to);
          control_.TvWhere_OLEDragDrop(1, to);
          control_.TvWhere_MouseUp(wt::kLeftButton, 0, 1, to);
        });
        break;
      }
      case 6: {  // edit the label of a row
        const auto node = tree.HitTest(1, Row(ops));
        const auto& text = Text(ops);
        Quiet("label edit", [&] {
          if (control_.BeginLabelEdit(node, ops.Below(2) == 0)) control_.EndLabelEdit(node, text);
        });
        break;
      }
      case 7: {
        const auto& old_alias = Text(ops);
        const auto& new_alias = Text(ops);
        fz::Completes("ReplaceAliasName", [&] { control_.ReplaceAliasName(old_alias, new_alias); });
        break;
      }
      case 8: {
        const auto sdvig = static_cast<std::int16_t>(static_cast<std::int8_t>(ops.Byte()));
        fz::Completes("CreateWhereString", [&] { control_.CreateWhereString(sdvig); });
        break;
      }
      case 9: {  // collapse or expand a row
        if (const auto node = tree.HitTest(1, Row(ops))) node->Expanded(!node->Expanded());
        break;
      }
      case 10:
        control_.LabelEdit(static_cast<std::int32_t>(ops.Below(3)));
        break;
      default: {
        std::u16string where = Text(ops);
        fz::Completes("LoadWhereString", [&] { control_.LoadWhereString(where, tables_); });
        break;
      }
    }
  }

  wt::WhereTreeViewControl control_;
  std::vector<std::u16string> texts_;
  std::u16string tables_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kParts = 8;
  auto parts = fz::SplitParts(data, size, kParts);
  fz::ByteReader ops(fz::RawPart(data, size, kParts, 2));
  // CurrentNode is shared by every control on the thread: start each input without one.
  wt::CurrentNode() = nullptr;
  Session session(std::vector<std::u16string>(parts.begin() + 3, parts.end()), parts[1]);
  std::u16string where = parts[0];
  fz::Completes("LoadWhereString", [&] { session.Control().LoadWhereString(where, parts[1]); });
  fz::CheckTreeStructure(session.Control().TvWhere());
  session.Run(ops);
  wt::CurrentNode() = nullptr;
  return 0;
}
