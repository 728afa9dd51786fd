#include "storage/user_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

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
  // Nothing but the city file (no temporary left behind).
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(home.path() + "/.lumaro")) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
  // A second run changes nothing.
  EXPECT_TRUE(InstallDefaultUserFiles(&error));
  EXPECT_EQ(testenv::ReadFile(home.lumaro("cities")), Shipped());
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
  {
    ScopedEnv env("LUMARO_DATADIR", mine.c_str());
    EXPECT_EQ(FindDataDir(), mine);
    ASSERT_TRUE(InstallDefaultUserFiles());
    EXPECT_EQ(testenv::ReadFile(home.lumaro("cities")), "\"Override\", 1,0 N, 1,0 E, GMT+1\n");
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
