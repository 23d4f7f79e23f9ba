#include "cli/table_option.h"

#include <gtest/gtest.h>

#include "cli/exit_status.h"
#include "support/test_support.h"

namespace wheretree::cli {
namespace {

TEST(CliTableOption, BuildsOneAmlTableBlock) {
  struct Case {
    std::string_view value;
    std::u16string_view block;
  };
  const Case cases[] = {
      {"EMP:e,m:id,dept_id", u"<T>EMP<AA>e,m<AA><PP>id,dept_id<PP><T>"},
      {"SALES.EMP:e:id", u"<T>SALES.EMP<AA>e<AA><PP>id<PP><T>"},
      {"EMP::id", u"<T>EMP<AA><AA><PP>id<PP><T>"},  // no aliases: allowed, never matched
      {"EMP:e:", u"<T>EMP<AA>e<AA><PP><PP><T>"},
      {"EMP:e:a, b", u"<T>EMP<AA>e<AA><PP>a, b<PP><T>"},  // entries exactly as written
      {"\xD0\xA1\xD0\xA2:\xD1\x81:id", u"<T>\u0421\u0422<AA>\u0441<AA><PP>id<PP><T>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(CheckTableOption(c.value), "");
    EXPECT_EQ(testing::Show(TableBlockFromOption(c.value)), testing::Show(c.block));
  }
}

TEST(CliTableOption, RefusesWhatCannotBeCarried) {
  struct Case {
    std::string_view value;
    std::string_view fragment;
  };
  const Case cases[] = {
      {"EMP", "found 0 colons"},
      {"EMP:e", "found 1 colon"},
      {"EMP:e:id:x", "found 3 colons"},
      {":e:id", "table name before the first colon is empty"},
      {"EMP:e<aa>:id", "contains the AML tag <AA>"},
      {"EMP:e:id<PP>x", "contains the AML tag <PP>"},
      {"E<t>MP:e:id", "contains the AML tag <T>"},
      {"EMP:\xFF:id", "not valid UTF-8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_NE(CheckTableOption(c.value).find(c.fragment), std::string::npos)
        << CheckTableOption(c.value);
    try {
      TableBlockFromOption(c.value);
      ADD_FAILURE() << "expected a usage failure";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.Code(), ExitCode::usage);
      EXPECT_NE(failure.Message().find(c.fragment), std::string::npos) << failure.Message();
    }
  }
}

}  // namespace
}  // namespace wheretree::cli
