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

#include <pthread.h>

#include <exception>
#include <functional>

namespace wheretree::testing {

// Runs `work` on a thread whose stack is `stack_bytes` large and rethrows what it threw: proves
// that a piece of work needs no deep recursion.
inline void RunWithStack(std::size_t stack_bytes, const std::function<void()>& work) {
  struct Job {
    const std::function<void()>* work;
    std::exception_ptr error;
  } job{&work, nullptr};
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, stack_bytes);
  pthread_t thread;
  const int started = pthread_create(
      &thread, &attr,
      [](void* p) -> void* {
        auto* j = static_cast<Job*>(p);
        try {
          (*j->work)();
        } catch (...) {
          j->error = std::current_exception();
        }
        return nullptr;
      },
      &job);
  pthread_attr_destroy(&attr);
  ASSERT_EQ(started, 0);
  pthread_join(thread, nullptr);
  if (job.error) std::rethrow_exception(job.error);
}

}  // namespace wheretree::testing
