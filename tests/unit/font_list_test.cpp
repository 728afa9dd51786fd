// Fonts: the font list of the font dialog, the families FreeType reads from
// the .ttf files of folder trees (with real DejaVu fonts), one of each name
// in byte order, the stored name matched ignoring case; the screen font at
// start (rows of tests/data/screen_fonts.tsv).
#include "forms/font_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "render/screen_font.h"
#include "test_env.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";

// Capitals and small letters, duplicates, a file that is no font (tried for
// its ".ttf", one message), a .otf (not read), links (neither file nor
// folder, even to a font) and missing folders (no message).
TEST(FontList, FolderTrees) {
  for (const char* f : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif.ttf", "DejaVuSansMono.ttf"})
    if (!fs::exists(kDejaVu + f)) GTEST_SKIP() << "fonts-dejavu-core is not installed";
  testenv::TempHome home;
  const std::string root = home.path() + "/fonts", other = home.path() + "/other";
  fs::create_directories(root + "/sub/deeper");
  fs::create_directories(other);
  for (const auto& [font, to] : {std::pair{"DejaVuSans.ttf", "/fonts/UPPER.TTF"},
                                 {"DejaVuSans-Bold.ttf", "/fonts/sub/lower.ttf"},
                                 {"DejaVuSerif.ttf", "/fonts/sub/deeper/serif.ttf"},
                                 {"DejaVuSansMono.ttf", "/fonts/mono.otf"},
                                 {"DejaVuSansMono.ttf", "/other/m.ttf"}})
    fs::copy_file(kDejaVu + font, home.path() + to);
  testenv::WriteFile(root + "/notes.ttf.txt", "not a font");
  testenv::WriteFile(root + "/readme.txt", "ignored");
  ASSERT_EQ(::symlink((kDejaVu + "DejaVuSansMono.ttf").c_str(), (root + "/link.ttf").c_str()), 0);
  ASSERT_EQ(::symlink(root.c_str(), (root + "/sub/loop").c_str()), 0);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(GetFontList({root}), (Strings{"", "DejaVu Sans", "DejaVu Serif"}));
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors.rfind("Reading font file " + root + "/notes.ttf.txt via FreeType failed, error code ", 0), 0u)
      << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  ::testing::internal::CaptureStderr();
  fs::remove(root + "/notes.ttf.txt");
  EXPECT_EQ(GetFontList({home.path() + "/missing", root + "/sub", other + "/"}),
            (Strings{"", "DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif"}));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

// Byte order: capitals before small letters, non-ASCII last. The screen
// font: the default gives way only when it is missing.
TEST(FontList, InsertMatchAndTheScreenFont) {
  Strings list(1);
  for (const char* name : {"Times", "Arial", "times", "Times", "\xC3\x84gypt", "Zapf", "Arial"})
    GetFontList_Insert(&list, name);
  EXPECT_EQ(list, (Strings{"", "Arial", "Times", "Zapf", "times", "\xC3\x84gypt"}));
  const Strings stored = {"", "DejaVu Sans", "Times New Roman"};
  EXPECT_TRUE(FontListContainsIgnoringCase(stored, "times new roman"));
  EXPECT_TRUE(FontListContainsIgnoringCase(stored, "DEJAVU SANS"));
  EXPECT_FALSE(FontListContainsIgnoringCase(stored, "DejaVu"));
  EXPECT_FALSE(FontListContainsIgnoringCase(stored, "Times New Roman "));
  for (const auto& row : testenv::CaseRows("screen_fonts.tsv")) {
    const std::string installed = "," + row[1] + ",";
    auto has = [&](std::string_view f) { return installed.find("," + std::string(f) + ",") != std::string::npos; };
    EXPECT_EQ(PickScreenFont(row[0], has), row[2]) << row[0] << " with " << row[1];
  }
}

}  // namespace
