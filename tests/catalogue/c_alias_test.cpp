#include "catalogue/c_alias.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace wheretree {
namespace {

TEST(cAliases, RegistersInOrderAndRefusesCaseVariants) {
  cAliases registry;
  EXPECT_EQ(registry.Count(), 0);
  registry.Add(u"E");
  registry.Add(u"E2");
  EXPECT_EQ(registry.Item(1)->Key(), u"E");
  EXPECT_EQ(registry.Item(2)->Key(), u"E2");
  EXPECT_FALSE(registry.Item(1)->Used() || registry.Item(2)->Used());
  EXPECT_WT_ERROR(registry.Add(u"e"), ErrorKind::duplicate_key, "\"e\"");
  EXPECT_EQ(registry.Count(), 2);
  EXPECT_EQ(registry.Item(u"e")->Key(), u"E");  // keyed lookup ignores letter case
  registry.Remove(u"e");
  EXPECT_EQ(registry.Item(1)->Key(), u"E2");
  EXPECT_WT_ERROR(registry.Item(2), ErrorKind::out_of_range, "position 2");
}

}  // namespace
}  // namespace wheretree
