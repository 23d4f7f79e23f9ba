#include "common/keyed_collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace wheretree {
namespace {

std::vector<std::string> Values(const KeyedCollection<std::string>& c) {
  return {c.begin(), c.end()};
}

TEST(KeyedCollection, KeysIgnoreLetterCaseAndRefuseDuplicates) {
  KeyedCollection<std::string> c;
  c.Add("emp", u"EMP");
  c.Add("none");
  c.Add("zhe", u"\u0416");  // Cyrillic capital Zhe
  c.Add("empty", u"");      // the empty text is a key of its own, unlike "no key"
  EXPECT_EQ(c.Item(u"emp"), "emp");
  EXPECT_EQ(c.Item(u"\u0436"), "zhe");
  EXPECT_EQ(c.Item(u""), "empty");
  for (const std::u16string key : {u"Emp", u"\u0436", u""}) {
    SCOPED_TRACE(testing::Show(key));
    EXPECT_WT_ERROR(c.Add("late", key), ErrorKind::duplicate_key, "already used");
  }
  EXPECT_EQ(Values(c), (std::vector<std::string>{"emp", "none", "zhe", "empty"}));
  EXPECT_WT_ERROR(c.Item(0), ErrorKind::out_of_range, "position 0 is outside 1..4");
  EXPECT_WT_ERROR(c.Item(5), ErrorKind::out_of_range, "outside 1..4");
  EXPECT_WT_ERROR(c.Remove(u"B"), ErrorKind::out_of_range, "no entry has the key \"B\"");
  EXPECT_WT_ERROR(KeyedCollection<int>().Item(1), ErrorKind::out_of_range, "is empty");
}

TEST(KeyedCollection, RemoveRenumbersAndKeepsKeyLookupsRight) {
  KeyedCollection<std::string> c;
  for (const char* k : {"a", "b", "c", "d", "e"}) c.Add(k, std::u16string(k, k + 1));
  c.Remove(2);
  c.Remove(u"D");
  EXPECT_EQ(Values(c), (std::vector<std::string>{"a", "c", "e"}));
  EXPECT_EQ(c.Item(u"e"), "e");
  EXPECT_FALSE(c.Contains(u"b"));
  c.Add("b again", u"B");  // a removed key can be used again
  c.Remove(1);
  EXPECT_EQ(c.Item(u"c"), "c");
  EXPECT_EQ(c.Item(3), "b again");
  EXPECT_EQ(c.Item(u"b"), "b again");
}

}  // namespace
}  // namespace wheretree
