// The screen font at start: the default gives way only when it is missing
// (rows of tests/data/screen_fonts.tsv).
#include "render/screen_font.h"

#include <gtest/gtest.h>

#include <string>

#include "test_env.h"

namespace {

TEST(ScreenFont, TheDefaultGivesWayOnlyWhenItIsMissing) {
  for (const auto& row : testenv::CaseRows("screen_fonts.tsv")) {
    const std::string installed = "," + row[1] + ",";
    auto has = [&installed](std::string_view f) { return installed.find("," + std::string(f) + ",") != std::string::npos; };
    EXPECT_EQ(PickScreenFont(row[0], has), row[2]) << row[0] << " with " << row[1];
  }
}

}  // namespace
