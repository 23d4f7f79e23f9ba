#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/error.h"
#include "common/text.h"

// Runs `statement`, expects a wheretree::Error of `kind` whose message contains `fragment`.
#define EXPECT_WT_ERROR(statement, kind, fragment)                                         \
  do {                                                                                     \
    try {                                                                                  \
      statement;                                                                           \
      ADD_FAILURE() << "expected wheretree::Error(" << ::wheretree::KindName(kind) << ")"; \
    } catch (const ::wheretree::Error& wt_error_) {                                        \
      EXPECT_EQ(wt_error_.Kind(), kind) << wt_error_.what();                               \
      EXPECT_NE(wt_error_.Message().find(fragment), std::string::npos)                     \
          << "message: " << wt_error_.Message();                                           \
    }                                                                                      \
  } while (false)

namespace wheretree::testing {

// Readable UTF-8 of a UTF-16 text, CR and LF made visible, for failure messages.
inline std::string Show(std::u16string_view text) {
  std::string out;
  for (char c : ToUtf8(text)) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace wheretree::testing
