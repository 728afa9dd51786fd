// Messages go to standard output or to the innermost redirection (none: they
// are dropped); warnings always go to standard error.
#include "base/diagnostics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "test_env.h"

namespace {

TEST(Diagnostics, ScopesRedirectAndNestWarningsStayOnStandardError) {
  std::FILE *outer = std::tmpfile(), *inner = std::tmpfile();
  ASSERT_TRUE(outer && inner);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  DiagMessage(std::string("with\0nul\n", 9));
  {
    const DiagnosticsTo a(outer);
    DiagMessage("a1 ");
    {
      const DiagnosticsTo b(inner);
      DiagMessage("b ");
      {
        const DiagnosticsTo dropped(nullptr);
        DiagMessage("lost ");
      }
      DiagWarning("careful\n");
      DiagMessage("b2 ");
    }
    DiagMessage("a2");
  }
  DiagMessage("back\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "careful\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string("with\0nul\nback\n", 14));
  EXPECT_EQ(testenv::StreamText(outer), "a1 a2");
  EXPECT_EQ(testenv::StreamText(inner), "b b2 ");
}

}  // namespace
