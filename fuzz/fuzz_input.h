#pragma once

// What every fuzz target shares: turning the fuzzer's bytes into texts and small numbers, and
// failing loudly (abort, so the fuzzer keeps the input) when a checked property does not hold.
//
//   auto parts = wheretree::fuzz::SplitParts(data, size, 2);   // "a = 1\0<T>..." -> 2 texts
//   wheretree::fuzz::Expect(parts.size() == 2, "two parts", "");

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wheretree::fuzz {

/// Bytes as text: well-formed UTF-8 sequences become their UTF-16 code units (an encoded
/// surrogate half too, so lone surrogates reach the library); any other byte b becomes U+00b.
///   DecodeText("a\xD0\x8F") -> u"a\u040F";  DecodeText("\xFF") -> u"\u00FF"
std::u16string DecodeText(std::string_view bytes);

/// Splits the input at NUL bytes into exactly `count` texts (missing ones are empty; the last
/// one keeps any further NUL bytes as U+0000).
///   SplitParts("ab\0cd\0ef", 2) -> {u"ab", u"cd\0ef"}
std::vector<std::u16string> SplitParts(const std::uint8_t* data, std::size_t size,
                                       std::size_t count);

/// The raw bytes of part `index` of the input split at NUL bytes as SplitParts does.
std::string RawPart(const std::uint8_t* data, std::size_t size, std::size_t count,
                    std::size_t index);

/// Reads small numbers off a byte string (a copy of its own); 0 once it is used up.
class ByteReader {
 public:
  explicit ByteReader(std::string bytes) : bytes_(std::move(bytes)) {}
  bool Empty() const noexcept { return pos_ >= bytes_.size(); }
  std::uint8_t Byte() noexcept { return Empty() ? 0 : static_cast<std::uint8_t>(bytes_[pos_++]); }
  /// A number in 0..n-1 (n > 0).
  std::uint32_t Below(std::uint32_t n) noexcept { return Byte() % n; }

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
};

/// Prints what went wrong and aborts, so that the fuzzer records the input as a finding.
[[noreturn]] void Fail(std::string_view what, std::u16string_view detail = u"");

/// Fail(what, detail) unless `condition` holds.
inline void Expect(bool condition, std::string_view what, std::u16string_view detail = u"") {
  if (!condition) Fail(what, detail);
}

/// Runs `step`. Returns true when it completed and false when it threw wheretree::Error with a
/// message; any other exception, or an Error without a message, is a finding.
bool Completes(std::string_view step, const std::function<void()>& body);

}  // namespace wheretree::fuzz
