#pragma once

#include <cstdint>
#include <memory>
#include <utility>

namespace wheretree {

/// Tells a catalogue that one of its tables changed behind its back. A table, its alias registry
/// and their aliases share one signal; while the table belongs to a catalogue, the signal counts
/// into that catalogue's revision counter, so the catalogue can see that its search index is stale.
///
///   auto signal = std::make_shared<ChangeSignal>();
///   auto counter = std::make_shared<std::uint64_t>(0);
///   signal->Connect(counter);
///   signal->Raise();   // *counter == 1
class ChangeSignal {
 public:
  /// Counts one change into the connected counter, if any.
  void Raise() noexcept {
    if (counter_) ++*counter_;
  }

  /// Points the signal at `counter` (a catalogue's revision counter).
  void Connect(std::shared_ptr<std::uint64_t> counter) noexcept { counter_ = std::move(counter); }

  /// Stops counting changes anywhere.
  void Disconnect() noexcept { counter_.reset(); }

 private:
  std::shared_ptr<std::uint64_t> counter_;
};

}  // namespace wheretree
