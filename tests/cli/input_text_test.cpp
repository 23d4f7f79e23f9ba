#include "cli/input_text.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/exit_status.h"
#include "support/test_support.h"

namespace wheretree::cli {
namespace {

TEST(CliInputText, LineBreaksBecomeCrLf) {
  struct Case {
    std::u16string_view in;
    std::u16string_view out;
  };
  const Case cases[] = {
      {u"", u""},
      {u"a = 1", u"a = 1"},
      {u"a = 1\nAnd b = 2\n", u"a = 1\r\nAnd b = 2\r\n"},
      {u"a = 1\r\nAnd b = 2", u"a = 1\r\nAnd b = 2"},
      {u"\n\n", u"\r\n\r\n"},
      {u"a\rb", u"a\rb"},          // a lone CR stays
      {u"a\r\r\nb", u"a\r\r\nb"},  // the CR before CR LF is a lone one
      {u"\na", u"\r\na"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Show(c.in));
    EXPECT_EQ(testing::Show(WithCrLfLineBreaks(c.in)), testing::Show(c.out));
  }
}

TEST(CliInputText, ByteOrderMarkIsSkippedAndMalformedBytesAreNamed) {
  EXPECT_EQ(DecodeUtf8Input("\xEF\xBB\xBF"
                            "a = '\xD0\x96'"),
            u"a = '\u0416'");
  EXPECT_EQ(DecodeUtf8Input("a\xEF\xBB\xBF"), u"a\uFEFF");  // only a leading mark is skipped
  EXPECT_EQ(DecodeUtf8Input(""), u"");
  // The offset counts from the start of the file, mark included.
  EXPECT_WT_ERROR(DecodeUtf8Input("\xEF\xBB\xBF"
                                  "ab\xFF"),
                  ErrorKind::invalid_argument, "offset 5");
}

TEST(CliInputText, UnreadableFilesAreClearFailures) {
  struct Case {
    std::string path;
    std::string fragment;
  };
  const std::string dir = std::filesystem::temp_directory_path().string();
  const Case cases[] = {
      {"/nonexistent/x.where", "cannot read the WHERE file \"/nonexistent/x.where\": No such file"},
      {dir, "cannot read the WHERE file \"" + dir + "\": Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      ReadWholeFile(c.path, "WHERE file");
      ADD_FAILURE() << "expected a failure";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.Code(), ExitCode::failed);
      EXPECT_FALSE(failure.Kind().has_value());
      EXPECT_NE(failure.Message().find(c.fragment), std::string::npos) << failure.Message();
    }
  }
}

}  // namespace
}  // namespace wheretree::cli
