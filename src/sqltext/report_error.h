#pragma once

// The one diagnostic routine every error trap of the library calls. It never raises and never
// shows anything: the trapping procedure goes on with its result as it stood.

#include <cstdint>
#include <functional>
#include <string_view>

namespace wheretree {

/// Host-installable diagnostic sink; default none. ReportError calls it and swallows anything it
/// throws.
using ReportSink = std::function<void(std::u16string_view source, std::int32_t number,
                                      std::u16string_view description)>;

/// Installs the sink that receives every report; an empty function removes it.
///   SetReportSink([](auto source, auto, auto) { log(source); });  // then ReportError(...) logs
void SetReportSink(ReportSink sink);

/// True when a sink is installed, so a caller can skip building a report nobody reads.
bool HasReportSink() noexcept;
/// Passes one report to the installed sink, if any; without a sink it does nothing.
///   ReportError(u"c_connects.Item", 0, u"") -> no effect unless a sink is installed
void ReportError(std::u16string_view source, std::int32_t number,
                 std::u16string_view description) noexcept;

}  // namespace wheretree
