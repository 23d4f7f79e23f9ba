#include "sqltext/report_error.h"

#include <utility>

namespace wheretree {
namespace {

// Reports are a diagnostic aid chosen by the host: by default nothing is recorded, and a host may
// install a sink (a log, a debug trace). Every call runs on the host's user-interface thread, so
// the sink needs no lock.
ReportSink& InstalledSink() {
  static ReportSink sink;
  return sink;
}

}  // namespace

void SetReportSink(ReportSink sink) {
  InstalledSink() = std::move(sink);
}

bool HasReportSink() noexcept {
  return static_cast<bool>(InstalledSink());
}

void ReportError(std::u16string_view source, std::int32_t number,
                 std::u16string_view description) noexcept {
  try {
    // A copy keeps the sink alive even if it replaces itself while it runs.
    const ReportSink sink = InstalledSink();
    if (sink) sink(source, number, description);
  } catch (...) {
    // The trapping caller goes on after the report, so a failing sink must not reach it.
  }
}

}  // namespace wheretree
