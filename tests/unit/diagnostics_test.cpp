#include "base/diagnostics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// What was written to a temporary stream.
std::string Contents(std::FILE* f) {
  std::fflush(f);
  std::rewind(f);
  std::string text;
  char buf[256];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  return text;
}

TEST(Diagnostics, MessagesGoToStandardOutputByDefault) {
  EXPECT_EQ(DiagMessageStream(), stdout);
  testing::internal::CaptureStdout();
  DiagMessage("one\n");
  DiagMessage(std::string("with\0nul\n", 9));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string("one\nwith\0nul\n", 13));
}

TEST(Diagnostics, ScopesRedirectAndNest) {
  std::FILE* outer = std::tmpfile();
  std::FILE* inner = std::tmpfile();
  ASSERT_TRUE(outer && inner);
  {
    const DiagnosticsTo a(outer);
    DiagMessage("a1 ");
    {
      const DiagnosticsTo b(inner);
      EXPECT_EQ(DiagMessageStream(), inner);
      DiagMessage("b ");
      {
        const DiagnosticsTo dropped(nullptr);
        DiagMessage("lost ");
      }
      DiagMessage("b2 ");
    }
    DiagMessage("a2");
  }
  EXPECT_EQ(DiagMessageStream(), stdout);
  EXPECT_EQ(Contents(outer), "a1 a2");
  EXPECT_EQ(Contents(inner), "b b2 ");
  std::fclose(outer);
  std::fclose(inner);
}

TEST(Diagnostics, WarningsAlwaysGoToStandardError) {
  std::FILE* elsewhere = std::tmpfile();
  ASSERT_NE(elsewhere, nullptr);
  testing::internal::CaptureStderr();
  {
    const DiagnosticsTo redirect(elsewhere);
    DiagWarning("careful\n");
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "careful\n");
  EXPECT_EQ(Contents(elsewhere), "");
  std::fclose(elsewhere);
}

}  // namespace
