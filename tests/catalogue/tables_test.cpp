#include "catalogue/tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/text.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

// "EMP [E|E3] E|EMPNO": a table's name, aliases and fields; "|" also shows empty pieces.
std::u16string Describe(const tables& catalogue) {
  std::u16string out;
  for (const auto& t : catalogue) {
    std::u16string aliases, poles;
    for (const auto& a : t->Aliases()) aliases += (aliases.empty() ? u"" : u"|") + a->Key();
    for (const auto& p : t->poles()) poles += u"|" + p;
    out += (out.empty() ? u"" : u"; ") + t->TableName() + u" [" + aliases + u"] " + poles;
  }
  return out;
}

TEST(Tables, AddDeclaresTablesAndAliases) {
  struct Case {
    const char* what;
    bool emp_first;  // EMP with alias E and fields EMPNO,ENAME,DEPTNO declared before
    std::u16string name, alias, poles;
    const char* outcome;  // "table", "null" or the error kind
    std::u16string state;
  } cases[] = {
      {"alias pieces open the fields", false, u"EMP", u"E", u"EMPNO,ENAME,DEPTNO", "table",
       u"EMP [E] |E|EMPNO|ENAME|DEPTNO"},
      {"two aliases", false, u"EMP", u"E,E2", u"DEPTNO", "table", u"EMP [E|E2] |E|E2|DEPTNO"},
      {"declared again", true, u"EMP", u"E3", u"X,Y", "null", u"EMP [E|E3] |E|EMPNO|ENAME|DEPTNO"},
      {"alias text kept whole", true, u"EMP", u"E3,E4", u"", "null",
       u"EMP [E|E3,E4] |E|EMPNO|ENAME|DEPTNO"},
      {"alias already held", true, u"EMP", u"e", u"", "duplicate_key",
       u"EMP [E] |E|EMPNO|ENAME|DEPTNO"},
      {"name in other case", true, u"emp", u"x", u"y", "duplicate_key",
       u"EMP [E] |E|EMPNO|ENAME|DEPTNO"},
      {"refused alias ends the list", false, u"EMP", u"E,e,F", u"", "table", u"EMP [E] |E|e|F"},
      {"no trimming", false, u"EMP", u"E", u"EMPNO, DEPTNO", "table", u"EMP [E] |E|EMPNO| DEPTNO"},
      {"empty pieces kept", false, u"EMP", u"E,,F,,G", u"A,,B", "table",
       u"EMP [E||F] |E||F||G|A||B"},
      {"empty name and lists", false, u"", u"", u"", "table", u" [] "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tables catalogue;
    if (c.emp_first) catalogue.Add(u"EMP", u"E", u"EMPNO,ENAME,DEPTNO");
    try {
      EXPECT_STREQ(catalogue.Add(c.name, c.alias, c.poles) ? "table" : "null", c.outcome);
    } catch (const Error& e) {
      EXPECT_EQ(KindName(e.Kind()), c.outcome) << e.what();
    }
    EXPECT_EQ(Describe(catalogue), c.state) << testing::Show(Describe(catalogue));
  }
}

TEST(Tables, FindJoinsAliasPole) {
  tables catalogue;
  std::u16string tbl;
  EXPECT_FALSE(catalogue.FindJoinsAliasPole(tbl, u"", u"ID"));
  catalogue.AddFromAml(tbl =
                           u"<T>EMP<AA>E<AA><PP>EMPNO,ENAME,DEPTNO<PP><T><T>NOALIAS<AA><AA>"
                           u"<PP>ID,ONLY<PP><T><T>A<AA>a<AA><PP>ID<PP><T><T>B<AA>b<AA><PP>ID<PP>"
                           u"<T><T>SALES.EMP<AA>S<AA><PP>SAL<PP><T>");
  struct Case {
    std::u16string tbl, ali, pole;
    std::optional<std::u16string> found;
  } cases[] = {
      {u"", u"E", u"DEPTNO", u"EMP"},   {u"", u"", u"ENAME", u"EMP"}, {u"emp", u"E", u"DEPTNO", {}},
      {u"EMP", u"E", u"E", u"EMP"},     {u"", u"e", u"DEPTNO", {}},   {u"", u"E", u" DEPTNO", {}},
      {u"", u"", u"ONLY", {}},          {u"NOALIAS", u"", u"ID", {}}, {u"", u"", u"ID", u"A"},
      {u"", u"b", u"ID", u"B"},         {u"B", u"a", u"ID", {}},      {u"EMP", u"", u"SAL", {}},
      {u"", u"", u"SAL", u"SALES.EMP"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.tbl + u"|" + c.ali + u"|" + c.pole));
    tbl = c.tbl;
    EXPECT_EQ(catalogue.FindJoinsAliasPole(tbl, c.ali, c.pole), c.found.has_value());
    EXPECT_EQ(tbl, c.found.value_or(c.tbl));
  }
}

TEST(Tables, AddFromAmlKeepsTheTablesBeforeAFailure) {
  const std::u16string emp = u"<T>EMP<AA>E<AA><PP>EMPNO,ENAME,DEPTNO<PP><T>";
  const std::u16string dept = u"<T>DEPT<AA>D<AA><PP>DEPTNO,DNAME<PP><T>";
  const std::u16string emp_only = u"EMP [E] |E|EMPNO|ENAME|DEPTNO";
  struct Case {
    std::u16string aml, state;
    std::string error = {};  // a fragment of the error message, empty for none
    ErrorKind kind = ErrorKind::out_of_range;
  } cases[] = {
      {emp + dept, u"EMP [E] |E|EMPNO|ENAME|DEPTNO; DEPT [D] |D|DEPTNO|DNAME", ""},
      {u"x\r\n" + emp + u"\r\n", emp_only, ""},
      {u"<t>Dept<aA>D<Aa><pp>DNAME<PP><T>", u"Dept [D] |D|DNAME", ""},
      {u"<T>\r\nX<AA><AA><PP>A<PP><T>", u"\r\nX [] |A", ""},
      {u"", u"", ""},
      {emp + u"<T>DEPT<AA>D<AA><T>" + dept, emp_only,
       "table block 2 of the table list: it has no field list"},
      {emp + u"<T>DEPT<AA>D<PP>X<PP><T>", emp_only, "<AA> occurs 1 times"},
      {u"<T><T>" + emp, u"", "table block 1 of the table list: it has no alias list"},
      {emp + u"<T>emp<AA><AA><PP><PP><T>", emp_only, "block 2 of the table",
       ErrorKind::duplicate_key},
      {emp + u"<T>EMP<AA>e<AA><PP><PP><T>", emp_only, "\"e\" is already used",
       ErrorKind::duplicate_key},
  };
  for (auto c : cases) {
    SCOPED_TRACE(testing::Show(c.aml));
    tables catalogue;
    if (c.error.empty()) {
      catalogue.AddFromAml(c.aml);
    } else {
      EXPECT_WT_ERROR(catalogue.AddFromAml(c.aml), c.kind, c.error);
    }
    EXPECT_EQ(Describe(catalogue), c.state) << testing::Show(Describe(catalogue));
  }
}

TEST(Tables, SixteenBitLimits) {
  tables catalogue;
  const std::u16string fields(kMaxInt16, u',');  // 32768 empty pieces
  EXPECT_WT_ERROR(catalogue.Add(u"WIDE", u"", fields), ErrorKind::overflow, "fields of table");
  EXPECT_EQ(catalogue.Count(), 0);
  for (int i = 0; i < kMaxInt16; ++i) catalogue.Add(u"T", u"A" + DecimalText(i), u"F");
  EXPECT_WT_ERROR(catalogue.Add(u"T", u"ONE MORE", u""), ErrorKind::overflow, "aliases of table");
  for (int i = 2; i <= kMaxInt16; ++i) catalogue.Add(DecimalText(i), u"", u"");
  EXPECT_WT_ERROR(catalogue.Add(u"LAST", u"", u""), ErrorKind::overflow, "number of tables");
  EXPECT_EQ(catalogue.Count(), kMaxInt16);

  KeyedCollection<std::u16string> many;  // a table grown past the limit by hand
  for (int i = 0; i <= kMaxInt16; ++i) many.Add(u"F");
  catalogue.Item(2)->poles(std::move(many));
  std::u16string tbl;
  EXPECT_TRUE(catalogue.FindJoinsAliasPole(tbl, u"A7", u"F"));  // found before reaching it
  EXPECT_WT_ERROR(catalogue.FindJoinsAliasPole(tbl = u"", u"", u"X"), ErrorKind::overflow, "\"2\"");
}

// A plain table-by-table reading of the search rule.
std::optional<std::u16string> FirstMatch(const tables& catalogue, const std::u16string& tbl,
                                         const std::u16string& ali, const std::u16string& pole) {
  for (const auto& t : catalogue) {
    bool alias_ok = ali.empty() && t->Aliases().Count() > 0;
    for (const auto& a : t->Aliases()) alias_ok = alias_ok || a->Key() == ali;
    bool pole_ok = false;
    for (const auto& p : t->poles()) pole_ok = pole_ok || p == pole;
    if ((tbl.empty() || t->TableName() == tbl) && alias_ok && pole_ok) return t->TableName();
  }
  return std::nullopt;
}

// Random catalogues, also changed through their tables and shrunk by Remove.
TEST(Tables, IndexAgreesWithTableByTableSearch) {
  const std::vector<std::u16string> names = {u"A", u"a", u"B", u"S.A", u""};
  const std::vector<std::u16string> words = {u"x", u"X", u"y", u"ID", u"id", u""};
  std::mt19937 random(20240611);
  const auto pick = [&](const auto& from) { return from[random() % from.size()]; };
  const auto list = [&] {
    std::u16string out;
    for (unsigned n = random() % 4, i = 0; i < n; ++i) out += (i ? u"," : u"") + pick(words);
    return out;
  };
  for (int round = 0; round < 40; ++round) {
    tables catalogue;
    for (int step = 0; step < 30; ++step) {
      const unsigned op = random() % 11;
      if (op < 6 || catalogue.Count() == 0) {
        try {
          catalogue.Add(pick(names), list(), list());
        } catch (const Error&) {
        }
      } else {
        const std::int32_t position = std::int32_t(random() % catalogue.Count()) + 1;
        const std::shared_ptr<table> t = catalogue.Item(position);
        if (op == 6) t->TableName(pick(names));
        if (op == 7 && t->Aliases().Count() > 0) t->Aliases().Item(1)->Key(pick(words));
        if (op == 8) t->AddPoles(list());
        if (op == 9) t->poles(KeyedCollection<std::u16string>{});
        if (op == 10) catalogue.Remove(position);
      }
      for (int query = 0; query < 20; ++query) {
        const std::u16string tbl = random() % 2 ? u"" : pick(names), ali = pick(words);
        const std::u16string pole = pick(words);
        SCOPED_TRACE(testing::Show(tbl + u"|" + ali + u"|" + pole));
        const auto expected = FirstMatch(catalogue, tbl, ali, pole);
        std::u16string found = tbl;
        ASSERT_EQ(catalogue.FindJoinsAliasPole(found, ali, pole), expected.has_value());
        ASSERT_EQ(found, expected.value_or(tbl));
      }
    }
  }
}

// Tables with long names come and go for a long time while the index stays fresh: it drops what
// removed tables left behind now and then, and must keep answering as a plain search does.
TEST(Tables, IndexStaysRightWhileManyTablesComeAndGo) {
  std::mt19937 random(5);
  tables catalogue;
  const auto field = [](unsigned n) { return u"A_RATHER_LONG_FIELD_NAME_" + DecimalText(n % 40); };
  for (unsigned step = 0; step < 3000; ++step) {
    if (catalogue.Count() > 0 && random() % 2 == 0) {
      catalogue.Remove(std::int32_t(random() % catalogue.Count()) + 1);
    } else {
      std::u16string poles;
      for (unsigned i = 0; i < 6; ++i) poles += (i ? u"," : u"") + field(random());
      catalogue.Add(u"A_TABLE_WITH_A_LONG_NAME_" + DecimalText(step), u"T" + DecimalText(step % 7),
                    poles);
    }
    for (int query = 0; query < 3; ++query) {
      const std::u16string tbl =
          random() % 3 ? u"" : u"A_TABLE_WITH_A_LONG_NAME_" + DecimalText(random() % (step + 1));
      const std::u16string ali = random() % 2 ? u"" : u"T" + DecimalText(random() % 8);
      const std::u16string pole = field(random());
      const auto expected = FirstMatch(catalogue, tbl, ali, pole);
      std::u16string found = tbl;
      ASSERT_EQ(catalogue.FindJoinsAliasPole(found, ali, pole), expected.has_value()) << step;
      ASSERT_EQ(found, expected.value_or(tbl));
    }
  }
}

}  // namespace
}  // namespace wheretree
