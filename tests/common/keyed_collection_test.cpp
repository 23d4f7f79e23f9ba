#include "common/keyed_collection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <utility>
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

// Many keys: a collection past a few keys finds them through a hash table, and falls back to
// reading its key list when removals leave few.
std::vector<std::u16string> ManyKeys() {
  std::vector<std::u16string> keys = {u"", u"\u0416", u"\u0436"};
  for (char16_t c = u'a'; c <= u'x'; ++c) {
    keys.push_back(std::u16string(1, c) + u"key");
    keys.push_back(std::u16string(1, static_cast<char16_t>(c - u'a' + u'A')) + u"KEY");
  }
  return keys;
}

// Entries with and without keys in any order, removed by position and by key, copied and moved,
// against a plain list of (value, key) pairs searched from the front.
class KeyedCollectionMixedChanges : public ::testing::TestWithParam<std::vector<std::u16string>> {};

INSTANTIATE_TEST_SUITE_P(FewAndManyKeys, KeyedCollectionMixedChanges,
                         ::testing::Values(std::vector<std::u16string>{u"a", u"A", u"b", u"\u0416",
                                                                       u"\u0436", u""},
                                           ManyKeys()));

TEST_P(KeyedCollectionMixedChanges, AgreesWithAPlainList) {
  std::mt19937 random(11);
  const std::vector<std::u16string>& keys = GetParam();
  const int steps = keys.size() > 10 ? 160 : 40;
  for (int round = 0; round < 200; ++round) {
    KeyedCollection<int> c;
    std::vector<std::pair<int, std::optional<std::u16string>>> plain;
    const auto find = [&](const std::u16string& key) {
      return std::find_if(plain.begin(), plain.end(), [&](const auto& e) {
        return e.second && FoldCase(*e.second) == FoldCase(key);
      });
    };
    for (int step = 0; step < steps; ++step) {
      // Adds under a key come twice as often as the other changes, so the keys pile up.
      const unsigned draw = random() % 7;
      const unsigned op = draw == 6 ? 1 : draw;
      const std::u16string key = keys[random() % keys.size()];
      if (op == 0) {
        c.Add(step);
        plain.emplace_back(step, std::nullopt);
      } else if (op == 1) {
        const bool taken = find(key) != plain.end();
        if (taken) {
          EXPECT_WT_ERROR(c.Add(step, key), ErrorKind::duplicate_key, "already used");
        } else {
          c.Add(step, key);
          plain.emplace_back(step, key);
        }
      } else if (op == 2 && !plain.empty()) {
        const auto at = static_cast<std::int32_t>(random() % plain.size());
        c.Remove(at + 1);
        plain.erase(plain.begin() + at);
      } else if (op == 3 && find(key) != plain.end()) {
        c.Remove(key);
        plain.erase(find(key));
      } else if (op == 4) {
        // A copy lives on its own: changing it leaves the original alone, and back it comes.
        KeyedCollection<int> copy = c;
        if (copy.Count() > 0) copy.Remove(1);
        copy.Add(-1);
        ASSERT_EQ(c.Count(), static_cast<std::int32_t>(plain.size()));
        copy = c;
        c = copy;
      } else if (op == 5) {
        KeyedCollection<int> moved = std::move(c);
        c = std::move(moved);
      }
      ASSERT_EQ(c.Count(), static_cast<std::int32_t>(plain.size()));
      for (std::size_t i = 0; i < plain.size(); ++i) {
        ASSERT_EQ(c.Item(static_cast<std::int32_t>(i) + 1), plain[i].first);
      }
      for (const std::u16string& k : keys) {
        const auto it = find(k);
        ASSERT_EQ(c.Contains(k), it != plain.end());
        if (it != plain.end()) {
          ASSERT_EQ(c.Item(k), it->first);
        }
      }
    }
  }
}

}  // namespace
}  // namespace wheretree
