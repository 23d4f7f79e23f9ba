#include "catalogue/stamp_map.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace wheretree {
namespace {

// Random inserts, unlinks and clears against a plain ordered map of sets. The texts include the
// empty one, names that differ only in letter case (compared exactly here) and texts longer than
// the map's chunks of kept text.
TEST(StampMap, AgreesWithAPlainMapOfSets) {
  std::vector<std::u16string> texts = {u"", u"EMP", u"emp", u"E", u"DEPTNO", u"LP_1"};
  for (int i = 0; i < 300; ++i) texts.push_back(u"FIELD_" + std::u16string(i % 7 + 1, u'x'));
  texts.push_back(std::u16string(5000, u'L'));
  texts.push_back(std::u16string(5000, u'M'));
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    StampMap map;
    std::map<std::u16string, std::set<std::uint64_t>> plain;
    for (int step = 0; step < 2000; ++step) {
      const std::u16string& text = texts[random() % texts.size()];
      const std::uint64_t stamp = random() % 6;
      const unsigned op = random() % 100;
      if (op < 55) {
        map.Insert(text, stamp);
        plain[text].insert(stamp);
      } else if (op < 99) {
        map.Unlink(text, stamp);
        if (plain.contains(text)) {
          plain[text].erase(stamp);
          if (plain[text].empty()) plain.erase(text);
        }
      } else {
        map.Clear();
        plain.clear();
      }
      for (const std::u16string& probe : {text, texts[random() % texts.size()]}) {
        const Stamps* found = map.Find(probe);
        const auto expected = plain.find(probe);
        ASSERT_EQ(found != nullptr, expected != plain.end()) << step;
        if (found == nullptr) continue;
        ASSERT_EQ(std::vector<std::uint64_t>(found->begin(), found->end()),
                  std::vector<std::uint64_t>(expected->second.begin(), expected->second.end()));
      }
    }
  }
}

TEST(StampMap, CountsTheTextOfUnlistedTexts) {
  StampMap map;
  map.Insert(u"EMP", 0);
  map.Insert(u"EMP", 1);
  map.Insert(u"DEPT", 1);
  EXPECT_EQ(map.KeptUnits(), 7U);
  map.Unlink(u"EMP", 0);
  EXPECT_EQ(map.DeadUnits(), 0U);  // EMP still has stamp 1
  map.Unlink(u"EMP", 1);
  EXPECT_EQ(map.DeadUnits(), 3U);
  EXPECT_EQ(map.Find(u"EMP"), nullptr);
  map.Clear();
  EXPECT_EQ(map.KeptUnits(), 0U);
  EXPECT_EQ(map.DeadUnits(), 0U);
}

}  // namespace
}  // namespace wheretree
