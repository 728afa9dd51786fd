#include "storage/user_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "storage/translate.h"

#include "test_env.h"

namespace {

// Sets or clears an environment variable for one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      had_ = true;
      old_ = old;
    }
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (had_) {
      ::setenv(name_, old_.c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

// The names in a directory, sorted.
std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Shipped() { return testenv::ReadFile(std::string(LUMARO_SOURCE_DATADIR) + "/cities"); }

TEST(UserFiles, FirstRunInAnEmptyHome) {
  testenv::TempHome home(false);  // no ~/.lumaro yet
  ScopedEnv noOverride("LUMARO_DATADIR", nullptr);
  std::string error;
  ASSERT_TRUE(InstallDefaultUserFiles(&error)) << error;
  struct stat st {};
  ASSERT_EQ(::stat((home.path() + "/.lumaro").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(testenv::ReadFile(home.lumaro("cities")), Shipped());
  // Nothing but the city file and the translations (no temporary left behind).
  EXPECT_EQ(Entries(home.path() + "/.lumaro"), (std::vector<std::string>{"cities", "translations"}));
  // Every translation file, each the same as the shipped one.
  const std::string shipped = std::string(LUMARO_SOURCE_DATADIR) + "/translations";
  EXPECT_EQ(Entries(home.lumaro("translations")), Entries(shipped));
  for (std::string_view name : kTranslateFiles) {
    const std::string file = "yiddish." + std::string(name);
    EXPECT_EQ(testenv::ReadFile(home.lumaro("translations/" + file)), testenv::ReadFile(shipped + "/" + file))
        << file;
  }
  // A second run changes nothing.
  EXPECT_TRUE(InstallDefaultUserFiles(&error));
  EXPECT_EQ(testenv::ReadFile(home.lumaro("cities")), Shipped());
  EXPECT_EQ(Entries(home.lumaro("translations")), Entries(shipped));
}

TEST(UserFiles, TheUsersTranslationsFolderIsNeverTouched) {
  testenv::TempHome home;
  ScopedEnv noOverride("LUMARO_DATADIR", nullptr);
  // A folder with one file of the user's: nothing is added to it or replaced.
  std::filesystem::create_directory(home.lumaro("translations"));
  testenv::WriteFile(home.lumaro("translations/yiddish.gui"), "\"Exit\" = \"mine\"\n");
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_EQ(Entries(home.lumaro("translations")), std::vector<std::string>{"yiddish.gui"});
  EXPECT_EQ(testenv::ReadFile(home.lumaro("translations/yiddish.gui")), "\"Exit\" = \"mine\"\n");
  // Even an empty folder, or a file of that name, stays as it is.
  std::filesystem::remove_all(home.lumaro("translations"));
  std::filesystem::create_directory(home.lumaro("translations"));
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_TRUE(Entries(home.lumaro("translations")).empty());
  std::filesystem::remove_all(home.lumaro("translations"));
  testenv::WriteFile(home.lumaro("translations"), "not a folder");
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_EQ(testenv::ReadFile(home.lumaro("translations")), "not a folder");
  EXPECT_EQ(Entries(home.path() + "/.lumaro"), (std::vector<std::string>{"cities", "translations"}));
}

TEST(UserFiles, TemporaryFoldersOfAKilledFirstRunAreRemovedLater) {
  testenv::TempHome home;
  ScopedEnv noOverride("LUMARO_DATADIR", nullptr);
  std::filesystem::create_directory(home.lumaro("translations"));  // nothing to copy this time
  const std::string old = home.lumaro(".lumaro-tmp-AbC123");
  const std::string recent = home.lumaro(".lumaro-tmp-XyZ789");
  for (const std::string& dir : {old, recent}) {
    std::filesystem::create_directory(dir);
    testenv::WriteFile(dir + "/yiddish.gui", "half");
  }
  const timeval twoHoursAgo[2] = {{std::time(nullptr) - 7200, 0}, {std::time(nullptr) - 7200, 0}};
  ASSERT_EQ(::utimes(old.c_str(), twoHoursAgo), 0);
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_FALSE(testenv::FileExists(old));
  EXPECT_TRUE(testenv::FileExists(recent + "/yiddish.gui"));  // perhaps still being written
}

TEST(UserFiles, ShippedDataWithoutTranslations) {
  // An installation that has the city file but no translations: the city
  // file is still installed and the missing folder is reported.
  testenv::TempHome home(false);
  const std::string data = home.path() + "/share";
  std::filesystem::create_directory(data);
  testenv::WriteFile(data + "/cities", "\"Only\", 1,0 N, 1,0 E, GMT+1\n");
  ScopedEnv env("LUMARO_DATADIR", data.c_str());
  std::string error;
  EXPECT_FALSE(InstallDefaultUserFiles(&error));
  EXPECT_NE(error.find("translations"), std::string::npos) << error;
  EXPECT_EQ(testenv::ReadFile(home.lumaro("cities")), "\"Only\", 1,0 N, 1,0 E, GMT+1\n");
  EXPECT_FALSE(testenv::FileExists(home.lumaro("translations")));
  // Once the installation has them, the next run adds them; hidden files and
  // sub-folders of the shipped folder are not copied.
  std::filesystem::create_directories(data + "/translations/sub");
  testenv::WriteFile(data + "/translations/yiddish.gui", "\"Exit\" = \"x\"\n");
  testenv::WriteFile(data + "/translations/.hidden", "");
  EXPECT_TRUE(InstallDefaultUserFiles(&error)) << error;
  EXPECT_EQ(Entries(home.lumaro("translations")), std::vector<std::string>{"yiddish.gui"});
  EXPECT_EQ(Entries(home.path() + "/.lumaro"), (std::vector<std::string>{"cities", "translations"}));
}

TEST(UserFiles, ExistingFilesAreNeverReplaced) {
  testenv::TempHome home;  // ~/.lumaro exists
  ::chmod((home.path() + "/.lumaro").c_str(), 0750);
  testenv::WriteFile(home.lumaro("cities"), "\"Mine\", 1,0 N, 1,0 E, GMT+1\n");
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_EQ(testenv::ReadFile(home.lumaro("cities")), "\"Mine\", 1,0 N, 1,0 E, GMT+1\n");
  struct stat st {};
  ASSERT_EQ(::stat((home.path() + "/.lumaro").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0750u);
  // Even an empty file or a dangling link counts as the user's.
  testenv::WriteFile(home.lumaro("cities"), "");
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_EQ(testenv::ReadFile(home.lumaro("cities")), "");
  std::remove(home.lumaro("cities").c_str());
  ASSERT_EQ(::symlink("/nonexistent/cities", home.lumaro("cities").c_str()), 0);
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_FALSE(testenv::FileExists(home.lumaro("cities")));  // still dangling
}

TEST(UserFiles, DataDirectoryChoice) {
  testenv::TempHome home(false);
  // An override that holds the files wins.
  const std::string mine = home.path() + "/share";
  std::filesystem::create_directory(mine);
  testenv::WriteFile(mine + "/cities", "\"Override\", 1,0 N, 1,0 E, GMT+1\n");
  std::filesystem::create_directory(mine + "/translations");
  testenv::WriteFile(mine + "/translations/yiddish.gui", "\"Exit\" = \"override\"\n");
  {
    ScopedEnv env("LUMARO_DATADIR", mine.c_str());
    EXPECT_EQ(FindDataDir(), mine);
    ASSERT_TRUE(InstallDefaultUserFiles());
    EXPECT_EQ(testenv::ReadFile(home.lumaro("cities")), "\"Override\", 1,0 N, 1,0 E, GMT+1\n");
    EXPECT_EQ(testenv::ReadFile(home.lumaro("translations/yiddish.gui")), "\"Exit\" = \"override\"\n");
  }
  // An override without the files is passed over.
  ScopedEnv env("LUMARO_DATADIR", (home.path() + "/empty").c_str());
  EXPECT_FALSE(FindDataDir().empty());
  EXPECT_NE(FindDataDir(), home.path() + "/empty");
}

TEST(UserFiles, NothingToDoWithoutAHome) {
  std::string error;
  {
    ScopedEnv noHome("HOME", nullptr);
    EXPECT_FALSE(InstallDefaultUserFiles(&error));
    EXPECT_FALSE(error.empty());
  }
  // A HOME that cannot hold the directory: a message, no crash.
  testenv::TempHome home(false);
  testenv::WriteFile(home.path() + "/.lumaro", "a file, not a directory");
  error.clear();
  EXPECT_FALSE(InstallDefaultUserFiles(&error));
  EXPECT_NE(error.find(".lumaro"), std::string::npos) << error;
}

}  // namespace
