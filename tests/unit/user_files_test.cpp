#include "storage/user_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "base/translate.h"
#include "test_env.h"

namespace {

using testenv::ReadFile;
using testenv::WriteFile;
namespace fs = std::filesystem;

// Sets (or with null clears) an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name), had_(std::getenv(name) != nullptr) {
    if (had_) old_ = std::getenv(name);
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { had_ ? ::setenv(name_, old_.c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  bool had_;
  std::string old_;
};

// The names in a directory, sorted; `plus` are added before sorting.
std::vector<std::string> Entries(const std::string& dir, std::vector<std::string> plus = {}) {
  std::vector<std::string> names = std::move(plus);
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The hidden file in the translations folder that names the version whose
// shipped files were last added.
const std::string kStamp = ".shipped-version";

const std::vector<std::string> kCitiesAndTranslations = {"cities", "translations"};

unsigned Mode(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 0777;
}

TEST(UserFiles, FirstRunInAnEmptyHome) {
  testenv::TempHome home(false);
  ScopedEnv noOverride("LUMARO_DATADIR", nullptr);
  std::string error;
  const mode_t oldMask = ::umask(027);
  ASSERT_TRUE(InstallDefaultUserFiles(&error)) << error;
  ::umask(oldMask);
  EXPECT_EQ(Mode(home.path() + "/.lumaro"), 0700u);
  // The copies get the user's umask.
  EXPECT_EQ(Mode(home.lumaro("cities")), 0640u);
  EXPECT_EQ(Mode(home.lumaro("translations")), 0750u);
  EXPECT_EQ(Mode(home.lumaro("translations") + "/yiddish." + std::string(kTranslateFiles[0])), 0640u);
  const std::string shipped = std::string(LUMARO_SOURCE_DATADIR);
  EXPECT_EQ(ReadFile(home.lumaro("cities")), ReadFile(shipped + "/cities"));
  // Nothing else, no temporary left behind, and every translation file as shipped.
  EXPECT_EQ(Entries(home.path() + "/.lumaro"), kCitiesAndTranslations);
  EXPECT_EQ(Entries(home.lumaro("translations")), Entries(shipped + "/translations", {kStamp}));
  for (std::string_view name : kTranslateFiles) {
    const std::string file = "/yiddish." + std::string(name);
    EXPECT_EQ(ReadFile(home.lumaro("translations") + file), ReadFile(shipped + "/translations" + file)) << file;
  }
  EXPECT_TRUE(InstallDefaultUserFiles(&error));
  EXPECT_EQ(ReadFile(home.lumaro("cities")), ReadFile(shipped + "/cities"));
}

TEST(UserFiles, ExistingFilesAndFoldersAreNeverTouched) {
  testenv::TempHome home;
  ScopedEnv noOverride("LUMARO_DATADIR", nullptr);
  ::chmod((home.path() + "/.lumaro").c_str(), 0750);
  // A translations folder of an earlier version: one file of the user's, a
  // link of theirs that leads nowhere, an empty city file. The files shipped
  // since (another language, another list) are added beside them.
  fs::create_directory(home.lumaro("translations"));
  WriteFile(home.lumaro("translations/yiddish.gui"), "\"Exit\" = \"mine\"\n");
  ASSERT_EQ(::symlink("/nonexistent/h", home.lumaro("translations/hebrew.gui").c_str()), 0);
  WriteFile(home.lumaro("cities"), "");
  EXPECT_TRUE(InstallDefaultUserFiles());
  const std::string shipped = std::string(LUMARO_SOURCE_DATADIR) + "/translations";
  EXPECT_EQ(Entries(home.lumaro("translations")), Entries(shipped, {kStamp}));
  EXPECT_EQ(ReadFile(home.lumaro("translations/yiddish.gui")), "\"Exit\" = \"mine\"\n");
  EXPECT_TRUE(fs::is_symlink(home.lumaro("translations/hebrew.gui")));
  EXPECT_EQ(ReadFile(home.lumaro("translations/yiddish.learning")), ReadFile(shipped + "/yiddish.learning"));
  // A file the user removes stays removed in this version; the next version
  // (an older stamp) adds it again.
  fs::remove(home.lumaro("translations/yiddish.learning"));
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_FALSE(fs::exists(home.lumaro("translations/yiddish.learning")));
  WriteFile(home.lumaro("translations/" + kStamp), "0.9\n");
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_TRUE(fs::exists(home.lumaro("translations/yiddish.learning")));
  EXPECT_EQ(ReadFile(home.lumaro("translations/yiddish.gui")), "\"Exit\" = \"mine\"\n");
  EXPECT_EQ(ReadFile(home.lumaro("cities")), "");
  EXPECT_EQ(Mode(home.path() + "/.lumaro"), 0750u);
  // A file named translations, and a dangling link as the city file.
  fs::remove_all(home.lumaro("translations"));
  WriteFile(home.lumaro("translations"), "not a folder");
  fs::remove(home.lumaro("cities"));
  ASSERT_EQ(::symlink("/nonexistent/cities", home.lumaro("cities").c_str()), 0);
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_EQ(ReadFile(home.lumaro("translations")), "not a folder");
  EXPECT_FALSE(fs::exists(home.lumaro("cities")));  // still dangling
}

TEST(UserFiles, TemporaryFoldersOfAKilledFirstRunAreRemovedLater) {
  testenv::TempHome home;
  ScopedEnv noOverride("LUMARO_DATADIR", nullptr);
  fs::create_directory(home.lumaro("translations"));
  const std::string old = home.lumaro(".lumaro-tmp-AbC123"), recent = home.lumaro(".lumaro-tmp-XyZ789");
  for (const std::string& dir : {old, recent}) {
    fs::create_directory(dir);
    WriteFile(dir + "/yiddish.gui", "half");
  }
  const timeval twoHoursAgo[2] = {{std::time(nullptr) - 7200, 0}, {std::time(nullptr) - 7200, 0}};
  ASSERT_EQ(::utimes(old.c_str(), twoHoursAgo), 0);
  EXPECT_TRUE(InstallDefaultUserFiles());
  EXPECT_FALSE(fs::exists(old));
  EXPECT_TRUE(fs::exists(recent + "/yiddish.gui"));  // perhaps still being written
}

TEST(UserFiles, ShippedDataWithoutTranslations) {
  testenv::TempHome home(false);
  const std::string data = home.path() + "/share";
  fs::create_directory(data);
  WriteFile(data + "/cities", "\"Only\", 1,0 N, 1,0 E, GMT+1\n");
  ScopedEnv env("LUMARO_DATADIR", data.c_str());
  EXPECT_EQ(FindDataDir(), data);
  // The city file is installed and the missing folder reported.
  std::string error;
  EXPECT_FALSE(InstallDefaultUserFiles(&error));
  EXPECT_NE(error.find("translations"), std::string::npos) << error;
  EXPECT_EQ(ReadFile(home.lumaro("cities")), "\"Only\", 1,0 N, 1,0 E, GMT+1\n");
  EXPECT_FALSE(fs::exists(home.lumaro("translations")));
  // Once the installation has them, the next run adds them, without hidden files and sub-folders.
  fs::create_directories(data + "/translations/sub");
  WriteFile(data + "/translations/yiddish.gui", "\"Exit\" = \"x\"\n");
  WriteFile(data + "/translations/.hidden", "");
  EXPECT_TRUE(InstallDefaultUserFiles(&error)) << error;
  EXPECT_EQ(Entries(home.lumaro("translations")), (std::vector<std::string>{kStamp, "yiddish.gui"}));
  EXPECT_EQ(Entries(home.path() + "/.lumaro"), kCitiesAndTranslations);
  // An override without the files is passed over.
  ScopedEnv empty("LUMARO_DATADIR", (home.path() + "/empty").c_str());
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
  testenv::TempHome home(false);
  WriteFile(home.path() + "/.lumaro", "a file, not a directory");
  error.clear();
  EXPECT_FALSE(InstallDefaultUserFiles(&error));
  EXPECT_NE(error.find(".lumaro"), std::string::npos) << error;
}

}  // namespace
