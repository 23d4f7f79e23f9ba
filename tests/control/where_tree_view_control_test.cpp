#include "control/where_tree_view_control.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace wheretree {
namespace {

struct DesignSite : ControlSite {
  bool UserMode() const override { return false; }
  std::intptr_t WindowHandle() const override { return 4242; }
};

TEST(ControlLifecycle, RunModeHasItsRootDesignModeNone) {
  WhereTreeViewControl run;
  ASSERT_EQ(run.TvWhere().Nodes().Count(), 1);
  const auto root = run.TvWhere().Nodes().Item(1);
  EXPECT_EQ(root->Key(), u"LP_1");
  EXPECT_EQ(*root->Image(), 6);
  EXPECT_EQ(run.CreateWhereString(4), u"");

  WhereTreeViewControl design(std::make_shared<DesignSite>());
  EXPECT_EQ(design.TvWhere().Nodes().Count(), 0);
  EXPECT_EQ(design.hWnd(), 4242);
  EXPECT_WT_ERROR(design.CreateWhereString(), ErrorKind::out_of_range, "index 1");
}

TEST(ControlProperties, DefaultsAndPersistence) {
  WhereTreeViewControl control(WhereTreeViewControl::Uninitialised{});
  MemoryPropertyBag empty;
  control.ReadProperties(empty);
  EXPECT_EQ(control.Indentation(), 200.0F);
  EXPECT_EQ(control.LabelEdit(), 0);
  EXPECT_EQ(control.ImageList(), control.ImageListWhere());
  ASSERT_EQ(control.ImageListWhere()->Count(), 7);
  EXPECT_EQ(control.ImageListWhere()->Item(4).key, u"simpleAnd");
  EXPECT_EQ(control.ImageListWhere()->Item(6).tag, u"-1");

  // Values equal to their defaults are not stored.
  MemoryPropertyBag bag;
  control.WriteProperties(bag);
  EXPECT_FALSE(bag.Stored(u"Indentation"));
  EXPECT_FALSE(bag.Stored(u"LabelEdit"));
  EXPECT_FALSE(bag.Stored(u"ImageList"));

  auto mine = std::make_shared<ImageList>(u"mine");
  control.Indentation(150);
  control.LabelEdit(1);
  control.ImageList(mine);
  control.WriteProperties(bag);
  WhereTreeViewControl restored(WhereTreeViewControl::Uninitialised{});
  restored.ReadProperties(bag);
  EXPECT_EQ(restored.Indentation(), 150.0F);
  EXPECT_EQ(restored.LabelEdit(), 1);
  EXPECT_EQ(restored.ImageList(), mine);
  restored.ImageList(nullptr);  // nothing binds the built-in list again
  EXPECT_EQ(restored.ImageList(), restored.ImageListWhere());

  MemoryPropertyBag wrong;
  wrong.WriteProperty(u"LabelEdit", mine, 0);
  EXPECT_WT_ERROR(restored.ReadProperties(wrong), ErrorKind::invalid_argument, "LabelEdit");
}

TEST(ControlProperties, ResizeRefreshAndControls) {
  WhereTreeViewControl control;
  control.Resize(300, 120);
  EXPECT_EQ(control.TvWhere().Placement().width, 300);
  control.Resize(-1, 5);  // ignored
  EXPECT_EQ(control.TvWhere().Placement().height, 120);
  control.Refresh();
  EXPECT_EQ(control.Site().Repaints(), 1);
  EXPECT_EQ(control.Controls().Count(), 2);
  EXPECT_EQ(control.Controls().TvWhere, &control.TvWhere());
}

}  // namespace
}  // namespace wheretree
