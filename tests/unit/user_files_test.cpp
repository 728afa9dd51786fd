// The files a new user gets in ~/.lumaro (the city list and the translations,
// copied from the installation): what is added, what is never touched, and
// the failures reported.
#include "storage/user_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "base/translate.h"
#include "test_env.h"

namespace {

using namespace testenv;
namespace fs = std::filesystem;

std::vector<std::string> Entries(const std::string& dir, std::vector<std::string> plus = {}) {
  for (const auto& e : fs::directory_iterator(dir)) plus.push_back(e.path().filename().string());
  std::sort(plus.begin(), plus.end());
  return plus;
}

const std::string kStamp = ".shipped-version";  // the version whose files were last added
const std::string kShipped = LUMARO_SOURCE_DATADIR;

unsigned Mode(const std::string& path) { return unsigned(fs::status(path).permissions()); }

TEST(UserFiles, FirstRunInAnEmptyHome) {
  testenv::TempHome home(false);
  ScopedEnv noOverride("LUMARO_DATADIR", nullptr);
  std::string error;
  const mode_t oldMask = ::umask(027);
  ASSERT_TRUE(InstallDefaultUserFiles(&error)) << error;
  ::umask(oldMask);
  // A private folder, copies with the user's umask, nothing else, every file as shipped.
  EXPECT_EQ(Mode(home.path() + "/.lumaro"), 0700u);
  EXPECT_EQ(Mode(home.lumaro("cities")), 0640u);
  EXPECT_EQ(Mode(home.lumaro("translations")), 0750u);
  EXPECT_EQ(Mode(home.lumaro("translations/yiddish." + std::string(kTranslateFiles[0]))), 0640u);
  EXPECT_EQ(Entries(home.path() + "/.lumaro"), (std::vector<std::string>{"cities", "translations"}));
  EXPECT_EQ(Entries(home.lumaro("translations")), Entries(kShipped + "/translations", {kStamp}));
  for (std::string_view name : kTranslateFiles) {
    const std::string file = "translations/yiddish." + std::string(name);
    EXPECT_EQ(ReadFile(home.lumaro(file)), ReadFile(kShipped + "/" + file)) << file;
  }
  EXPECT_TRUE(InstallDefaultUserFiles(&error));
  EXPECT_EQ(ReadFile(home.lumaro("cities")), ReadFile(kShipped + "/cities"));
}

TEST(UserFiles, ExistingFilesAndFoldersAreNeverTouched) {
  testenv::TempHome home;
  ScopedEnv noOverride("LUMARO_DATADIR", nullptr);
  ::chmod((home.path() + "/.lumaro").c_str(), 0750);
  // Files of an earlier version (one a dangling link): those shipped since are added beside them.
  const std::string mine = "\"Exit\" = \"mine\"\n", learning = home.lumaro("translations/yiddish.learning");
  fs::create_directory(home.lumaro("translations"));
  WriteFile(home.lumaro("translations/yiddish.gui"), mine);
  ASSERT_EQ(::symlink("/nonexistent/h", home.lumaro("translations/hebrew.gui").c_str()), 0);
  WriteFile(home.lumaro("cities"), "");
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_EQ(Entries(home.lumaro("translations")), Entries(kShipped + "/translations", {kStamp}));
  EXPECT_TRUE(fs::is_symlink(home.lumaro("translations/hebrew.gui")));
  EXPECT_EQ(ReadFile(learning), ReadFile(kShipped + "/translations/yiddish.learning"));
  // A file removed stays removed until the next version.
  fs::remove(learning);
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_FALSE(fs::exists(learning));
  WriteFile(home.lumaro("translations/" + kStamp), "0.9\n");
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_TRUE(fs::exists(learning));
  EXPECT_EQ(ReadFile(home.lumaro("translations/yiddish.gui")) + ReadFile(home.lumaro("cities")), mine);
  EXPECT_EQ(Mode(home.path() + "/.lumaro"), 0750u);
  // A file named translations, and a dangling link as the city file.
  fs::remove_all(home.lumaro("translations"));
  WriteFile(home.lumaro("translations"), "not a folder");
  fs::remove(home.lumaro("cities"));
  ASSERT_EQ(::symlink("/nonexistent/cities", home.lumaro("cities").c_str()), 0);
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_EQ(ReadFile(home.lumaro("translations")), "not a folder");
  EXPECT_FALSE(fs::exists(home.lumaro("cities")));  // still dangling
  // Temporary folders of a killed first run are removed once they are old.
  const std::string old = home.lumaro(".lumaro-tmp-AbC123"), recent = home.lumaro(".lumaro-tmp-XyZ789");
  for (const std::string& dir : {old, recent}) fs::create_directory(dir), WriteFile(dir + "/yiddish.gui", "half");
  const timeval twoHoursAgo[2] = {{std::time(nullptr) - 7200, 0}, {std::time(nullptr) - 7200, 0}};
  ASSERT_EQ(::utimes(old.c_str(), twoHoursAgo), 0);
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_FALSE(fs::exists(old));
  EXPECT_TRUE(fs::exists(recent + "/yiddish.gui"));  // perhaps still being written
}

TEST(UserFiles, ShippedDataWithoutTranslations) {
  testenv::TempHome home(false);
  const std::string data = home.path() + "/share", city = "\"Only\", 1,0 N, 1,0 E, GMT+1\n";
  fs::create_directory(data);
  WriteFile(data + "/cities", city);
  ScopedEnv env("LUMARO_DATADIR", data.c_str());
  EXPECT_EQ(FindDataDir(), data);
  std::string error;
  EXPECT_FALSE(InstallDefaultUserFiles(&error));
  EXPECT_NE(error.find("translations"), std::string::npos) << error;
  EXPECT_EQ(ReadFile(home.lumaro("cities")), city);
  EXPECT_FALSE(fs::exists(home.lumaro("translations")));
  // Added once installed, without hidden files and sub-folders.
  fs::create_directories(data + "/translations/sub");
  WriteFile(data + "/translations/yiddish.gui", "\"Exit\" = \"x\"\n");
  WriteFile(data + "/translations/.hidden", "");
  EXPECT_TRUE(InstallDefaultUserFiles(&error)) << error;
  EXPECT_EQ(Entries(home.lumaro("translations")), (std::vector<std::string>{kStamp, "yiddish.gui"}));
  // An override without the files is passed over.
  ScopedEnv empty("LUMARO_DATADIR", (home.path() + "/empty").c_str());
  EXPECT_FALSE(FindDataDir().empty() || FindDataDir() == home.path() + "/empty");
  fs::remove_all(home.path() + "/.lumaro");
  WriteFile(home.path() + "/.lumaro", "a file, not a directory");
  EXPECT_FALSE(InstallDefaultUserFiles(&error));
  EXPECT_NE(error.find(".lumaro"), std::string::npos) << error;
  ScopedEnv noHome("HOME", nullptr);
  error.clear();
  EXPECT_FALSE(InstallDefaultUserFiles(&error) || error.empty());
}

}  // namespace
