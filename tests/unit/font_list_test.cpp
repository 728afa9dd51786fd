#include "forms/font_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_env.h"

namespace {

namespace fs = std::filesystem;

const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";

class FontListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* f : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif.ttf", "DejaVuSansMono.ttf"})
      if (!fs::exists(kDejaVu + f)) GTEST_SKIP() << "fonts-dejavu-core is not installed";
    root_ = home_.path() + "/fonts";
    fs::create_directories(root_ + "/sub/deeper");
  }
  void Copy(const std::string& font, const std::string& to) { fs::copy_file(kDejaVu + font, root_ + "/" + to); }
  testenv::TempHome home_;
  std::string root_;
};

TEST_F(FontListTest, FolderTreeWithCasesDuplicatesAndAFileThatIsNoFont) {
  Copy("DejaVuSans.ttf", "UPPER.TTF");
  Copy("DejaVuSans-Bold.ttf", "sub/lower.ttf");         // the same family again
  Copy("DejaVuSerif.ttf", "sub/deeper/serif.ttf");
  Copy("DejaVuSansMono.ttf", "mono.otf");               // not a .ttf name: not read
  testenv::WriteFile(root_ + "/notes.ttf.txt", "not a font");  // contains ".ttf": tried
  testenv::WriteFile(root_ + "/readme.txt", "ignored");
  // A link is neither file nor folder here, even to a font.
  ASSERT_EQ(::symlink((kDejaVu + "DejaVuSansMono.ttf").c_str(), (root_ + "/link.ttf").c_str()), 0);
  ASSERT_EQ(::symlink(root_.c_str(), (root_ + "/sub/loop").c_str()), 0);

  ::testing::internal::CaptureStderr();
  const std::vector<std::string> list = GetFontList({root_});
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(list, (std::vector<std::string>{"", "DejaVu Sans", "DejaVu Serif"}));
  EXPECT_NE(errors.find("Reading font file " + root_ + "/notes.ttf.txt via FreeType failed, error code "),
            std::string::npos)
      << errors;
  EXPECT_EQ(errors.find("readme"), std::string::npos);
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

TEST_F(FontListTest, SeveralFoldersAndMissingOnes) {
  Copy("DejaVuSerif.ttf", "a.ttf");
  fs::create_directories(home_.path() + "/other");
  fs::copy_file(kDejaVu + "DejaVuSansMono.ttf", home_.path() + "/other/m.ttf");
  ::testing::internal::CaptureStderr();
  const std::vector<std::string> list = GetFontList({home_.path() + "/missing", root_, home_.path() + "/other/"});
  // A folder that does not exist is not worth a message.
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(list, (std::vector<std::string>{"", "DejaVu Sans Mono", "DejaVu Serif"}));
}

TEST(FontList, InsertKeepsByteOrderAndOneOfEachName) {
  std::vector<std::string> list(1);
  for (const char* name : {"Times", "Arial", "times", "Times", "\xC3\x84gypt", "Zapf", "Arial"})
    GetFontList_Insert(&list, name);
  // Byte order: capitals before small letters, non-ASCII last.
  EXPECT_EQ(list, (std::vector<std::string>{"", "Arial", "Times", "Zapf", "times", "\xC3\x84gypt"}));
}

TEST(FontList, StoredNameMatchesIgnoringCase) {
  const std::vector<std::string> list = {"", "DejaVu Sans", "Times New Roman"};
  EXPECT_TRUE(FontListContainsIgnoringCase(list, "times new roman"));
  EXPECT_TRUE(FontListContainsIgnoringCase(list, "DEJAVU SANS"));
  EXPECT_FALSE(FontListContainsIgnoringCase(list, "DejaVu"));
  EXPECT_FALSE(FontListContainsIgnoringCase(list, "Times New Roman "));
}

}  // namespace
