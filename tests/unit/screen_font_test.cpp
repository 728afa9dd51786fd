#include "render/screen_font.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/settings.h"

namespace {

// A font system that has exactly the given families.
auto Having(std::set<std::string> families) {
  return [families](std::string_view f) { return families.count(std::string(f)) > 0; };
}

TEST(ScreenFont, TheDefaultGivesWayOnlyWhenItIsMissing) {
  struct Case {
    const char* label;
    const char* configured;
    std::set<std::string> installed;
    const char* expected;
  } cases[] = {
      {"default installed", "Times New Roman", {"Times New Roman", "DejaVu Sans"}, "Times New Roman"},
      {"default missing, culmus", "Times New Roman", {"DejaVu Sans", "Frank Ruehl CLM"}, "Frank Ruehl CLM"},
      {"default missing, only DejaVu", "Times New Roman", {"DejaVu Sans", "Nimbus Roman"}, "DejaVu Sans"},
      {"second choice", "Times New Roman", {"David CLM", "DejaVu Sans"}, "David CLM"},
      {"nothing with Hebrew", "Times New Roman", {"Nimbus Roman"}, "Times New Roman"},
      {"default in other letter case", "times new roman", {"DejaVu Sans"}, "DejaVu Sans"},
      {"the user's choice, installed", "DejaVu Serif", {"DejaVu Serif", "Frank Ruehl CLM"}, "DejaVu Serif"},
      {"the user's choice, missing", "Liberation Serif", {"Frank Ruehl CLM"}, "Liberation Serif"},
      {"empty", "", {"Frank Ruehl CLM"}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PickScreenFont(c.configured, Having(c.installed)), c.expected) << c.label;
}

TEST(ScreenFont, TheSettingsStartWithTheDefault) {
  settingsReset();
  EXPECT_EQ(getFontName(), kDefaultScreenFont);
}

}  // namespace
