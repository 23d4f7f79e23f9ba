#include "sqltext/report_error.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace wheretree {
namespace {

TEST(ReportError, ReachesTheSinkAndNeverRaises) {
  std::u16string seen;
  SetReportSink([&seen](std::u16string_view source, auto, auto) { seen += source; });
  ReportError(u"c_connects.Item", 0, u"");
  SetReportSink([](auto, auto, auto) { throw std::runtime_error("sink failed"); });
  EXPECT_NO_THROW(ReportError(u"x", 0, u""));
  SetReportSink({});
  ReportError(u"y", 0, u"");
  EXPECT_EQ(seen, u"c_connects.Item");
}

}  // namespace
}  // namespace wheretree
