#include <gtest/gtest.h>

#include "joins_test_support.h"
#include "support/test_support.h"

namespace wheretree {
namespace {

// One block as the writer lays it out, "|" standing for the field separator U+040F.
std::u16string Block(std::u16string_view from, std::u16string_view to, std::u16string_view type,
                     std::u16string_view cond) {
  std::u16string text = u"<JOIN><FROM>" + std::u16string(from) + u"<FROM>\r\n<TO>" +
                        std::u16string(to) + u"<TO>\r\n<TYPEJOIN>" + std::u16string(type) +
                        u"<TYPEJOIN><TYPECOND>" + std::u16string(cond) +
                        u"<TYPECOND>\r\n<JOIN>\r\n";
  std::replace(text.begin(), text.end(), u'|', u'\u040F');
  return text;
}

TEST(ConnectionAml, WorkedExampleAndRoundTrip) {
  const std::u16string worked =
      u"<JOIN><FROM>EMP\u040FE\u040FDEPTNO<FROM>\r\n<TO>DEPT\u040FD\u040FDEPTNO<TO>\r\n"
      u"<TYPEJOIN>1<TYPEJOIN><TYPECOND> = <TYPECOND>\r\n<JOIN>\r\n";
  c_connects joins;
  EXPECT_EQ(joins.CreateAmlString(), u"");
  testing::Fill(joins, {"EMP E DEPTNO DEPT D DEPTNO 1 0", "A A X B b Y -7 42"});
  std::u16string text = joins.CreateAmlString();
  EXPECT_EQ(testing::Show(text), testing::Show(worked + Block(u"A|A|X", u"B|b|Y", u"-7",
                                                              u" UNKNOWN CONDISHION FOR CONNECT")));
  joins.LoadAmlString(text);  // appends behind what is held; unknown codes read back as 0
  EXPECT_EQ(joins.CreateAmlString(), text + worked + Block(u"A|A|X", u"B|b|Y", u"0", u" = "));
  std::u16string empty;
  joins.LoadAmlString(empty);
  EXPECT_EQ(joins.Count(), 4);
}

TEST(ConnectionAml, ReaderVariants) {
  const struct {
    std::u16string text, written_back;
  } cases[] = {
      // Small tags, the small separator U+045F, text before the first block.
      {u"x\r\n<join><from>A\u045Fa\u040FX<From><to>B\u040Fb\u045fY<TO><typejoin>1<TYPEJOIN>"
       u"<typecond>=<typecond><JOIN>",
       Block(u"A|a|X", u"B|b|Y", u"1", u" = ")},
      {Block(u"A|a|X", u"B|b|Y", u"2", u">=") + Block(u"A|a|X", u"B|b|Y", u"+5", u" LIKE "),
       Block(u"A|a|X", u"B|b|Y", u"2", u" >= ") + Block(u"A|a|X", u"B|b|Y", u"0", u" = ")},
      {Block(u"A|a|X", u"B|b|Y", u" 01 ", u" <> ") + Block(u"A|a|X", u"B|b|Y", u"-1", u"<"),
       Block(u"A|a|X", u"B|b|Y", u"1", u" <> ") + Block(u"A|a|X", u"B|b|Y", u"0", u" < ")},
      // Pieces after the third are ignored, empty ones kept; names quoted for dialect 1.
      {Block(u"A|a|X|Z", u"my t|my t|", u"0", u"<="),
       Block(u"A|a|X", u"\"my t\"|\"my t\"|", u"0", u" <= ")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.text));
    c_connects joins;
    std::u16string text = c.text;
    joins.LoadAmlString(text);
    EXPECT_EQ(testing::Show(joins.CreateAmlString()), testing::Show(c.written_back));
  }
}

TEST(ConnectionAml, ErrorsKeepWhatWasRead) {
  const struct {
    std::u16string bad_block;
    ErrorKind kind;
    const char* fragment;
  } cases[] = {
      {u"<JOIN><FROM>A|a|X<FROM><TYPEJOIN>0<TYPEJOIN><TYPECOND>=<TYPECOND><JOIN>",
       ErrorKind::out_of_range, "JOIN block 2 holds no value enclosed by two <TO> tags"},
      {Block(u"A|aX", u"B|b|Y", u"0", u"="), ErrorKind::out_of_range, "FROM value \"A"},
      {Block(u"A|a|X", u"B|b|Y", u"x", u"="), ErrorKind::invalid_argument, "\"x\" of JOIN block 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Show(c.bad_block));
    c_connects joins;
    std::u16string text = Block(u"A|a|X", u"B|b|Y", u"0", u"=") + c.bad_block;
    std::replace(text.begin(), text.end(), u'|', u'\u040F');
    EXPECT_WT_ERROR(joins.LoadAmlString(text), c.kind, c.fragment);
    EXPECT_EQ(joins.Count(), 1);
  }
}

TEST(ConnectionAml, WriterLimit) {
  c_connects joins;
  for (int i = 0; i < 32767; ++i) joins.Add();
  EXPECT_EQ(joins.CreateAmlString().size(), 32767 * Block(u"||", u"||", u"0", u" = ").size());
  joins.Add();
  EXPECT_WT_ERROR(joins.CreateAmlString(), ErrorKind::overflow, "32768");
}

}  // namespace
}  // namespace wheretree
