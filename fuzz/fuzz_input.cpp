#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "common/error.h"
#include "common/text.h"

namespace wheretree::fuzz {
namespace {

// Length of the well-formed UTF-8 sequence starting at `i` (surrogates allowed), or 0.
std::size_t SequenceLength(std::string_view b, std::size_t i, char32_t& code_point) {
  const auto lead = static_cast<unsigned char>(b[i]);
  std::size_t n = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    n = 2, min = 0x80, code_point = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    n = 3, min = 0x800, code_point = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    n = 4, min = 0x10000, code_point = lead & 0x07;
  } else {
    return 0;
  }
  if (i + n > b.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(b[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    code_point = (code_point << 6) | (c & 0x3F);
  }
  if (code_point < min || code_point > 0x10FFFF) return 0;
  return n;
}

// The NUL-separated pieces of the input: [begin, end) byte ranges.
std::vector<std::string_view> Pieces(const std::uint8_t* data, std::size_t size,
                                     std::size_t count) {
  const std::string_view all(reinterpret_cast<const char*>(data), data ? size : 0);
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (pieces.size() + 1 < count) {
    const std::size_t nul = all.find('\0', start);
    if (nul == std::string_view::npos) break;
    pieces.push_back(all.substr(start, nul - start));
    start = nul + 1;
  }
  pieces.push_back(start <= all.size() ? all.substr(start) : std::string_view());
  pieces.resize(count);
  return pieces;
}

}  // namespace

std::u16string DecodeText(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t cp = 0;
    const std::size_t n = SequenceLength(bytes, i, cp);
    if (n == 0) {
      out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += n;
  }
  return out;
}

std::vector<std::u16string> SplitParts(const std::uint8_t* data, std::size_t size,
                                       std::size_t count) {
  std::vector<std::u16string> parts;
  for (const auto piece : Pieces(data, size, count)) parts.push_back(DecodeText(piece));
  return parts;
}

std::string RawPart(const std::uint8_t* data, std::size_t size, std::size_t count,
                    std::size_t index) {
  return std::string(Pieces(data, size, count).at(index));
}

void Fail(std::string_view what, std::u16string_view detail) {
  std::fprintf(stderr, "\n*** fuzz check failed: %.*s\n", static_cast<int>(what.size()),
               what.data());
  if (!detail.empty()) {
    const std::string text = ToUtf8(detail);
    std::fprintf(stderr, "*** detail: [%s]\n", text.c_str());
  }
  std::abort();
}

bool Completes(std::string_view step, const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const Error& e) {
    Expect(!e.Message().empty(), "a wheretree::Error without a message escaped from",
           FromUtf8(step));
    return false;
  } catch (const std::exception& e) {
    Fail(std::string("an exception other than wheretree::Error escaped from ") + std::string(step) +
             ": " + e.what(),
         u"");
  }
}

}  // namespace wheretree::fuzz
