// The login reminder's autostart entry: off unless the user's entry turns it
// on, written where XDG_CONFIG_HOME (or ~/.config) says, and read back.
#include "storage/autostart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "test_env.h"

namespace {

class AutostartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* x = std::getenv("XDG_CONFIG_HOME")) old_ = x, hadOld_ = true;
    ::unsetenv("XDG_CONFIG_HOME");
  }
  void TearDown() override {
    if (hadOld_) ::setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
  }
  testenv::TempHome home_;
  std::string old_;
  bool hadOld_ = false;
};

TEST_F(AutostartTest, OffUntilTurnedOnAndBackOff) {
  const std::string file = home_.path() + "/.config/autostart/lumaro-reminder.desktop";
  EXPECT_EQ(AutostartUserFile(), file);
  EXPECT_FALSE(AutostartReminderEnabled());  // nothing there: the installed, hidden entry

  std::string error;
  ASSERT_TRUE(AutostartSetReminderEnabled(true, &error)) << error;  // creates ~/.config/autostart
  EXPECT_TRUE(AutostartReminderEnabled());
  const std::string on = testenv::ReadFile(file);
  EXPECT_NE(on.find("\nExec=lumaro-cli upcoming --notify\n"), std::string::npos) << on;
  EXPECT_NE(on.find("\nHidden=false\n"), std::string::npos) << on;
  EXPECT_EQ(on.rfind("[Desktop Entry]\n", 0), 0u);

  ASSERT_TRUE(AutostartSetReminderEnabled(false, &error)) << error;
  EXPECT_FALSE(AutostartReminderEnabled());
  // Off is an entry of its own that hides the installed one.
  EXPECT_NE(testenv::ReadFile(file).find("\nHidden=true\n"), std::string::npos);
}

TEST_F(AutostartTest, FollowsXdgConfigHome) {
  const std::string config = home_.path() + "/elsewhere";
  std::filesystem::create_directory(config);
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  EXPECT_EQ(AutostartUserFile(), config + "/autostart/lumaro-reminder.desktop");
  ASSERT_TRUE(AutostartSetReminderEnabled(true, nullptr));
  EXPECT_TRUE(std::filesystem::exists(config + "/autostart/lumaro-reminder.desktop"));
  // A relative value is not a base directory: ~/.config serves.
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  EXPECT_EQ(AutostartUserFile(), home_.path() + "/.config/autostart/lumaro-reminder.desktop");
}

TEST_F(AutostartTest, ReadsEntriesWrittenByOthers) {
  const std::string dir = home_.path() + "/.config/autostart";
  std::filesystem::create_directories(dir);
  struct Case {
    const char* text;
    bool enabled;
  } cases[] = {
      {"[Desktop Entry]\nType=Application\nExec=lumaro-cli upcoming --notify\n", true},
      {"[Desktop Entry]\r\nHidden=true\r\n", false},
      {"[Desktop Entry]\nHidden = true\n", false},
      {"[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", false},
      // A key of another group does not count.
      {"[Desktop Entry]\nName=x\n[Desktop Action a]\nHidden=true\n", true},
      {"", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    testenv::WriteFile(dir + "/lumaro-reminder.desktop", c.text);
    EXPECT_EQ(AutostartReminderEnabled(), c.enabled);
  }
}

TEST_F(AutostartTest, AFailureIsReported) {
  // A file where the autostart folder should be (so also root cannot write).
  std::filesystem::create_directories(home_.path() + "/.config");
  testenv::WriteFile(home_.path() + "/.config/autostart", "not a folder");
  std::string error;
  EXPECT_FALSE(AutostartSetReminderEnabled(true, &error));
  EXPECT_NE(error.find("/.config/autostart"), std::string::npos) << error;
  EXPECT_FALSE(AutostartReminderEnabled());
  EXPECT_EQ(testenv::ReadFile(home_.path() + "/.config/autostart"), "not a folder");

  // A folder where the entry should be: the rename over it fails.
  std::filesystem::remove(home_.path() + "/.config/autostart");
  std::filesystem::create_directories(home_.path() + "/.config/autostart/lumaro-reminder.desktop");
  error.clear();
  EXPECT_FALSE(AutostartSetReminderEnabled(true, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(std::filesystem::is_directory(home_.path() + "/.config/autostart/lumaro-reminder.desktop"));
}

TEST(AutostartEntryTest, InstalledEntryIsTheHiddenForm) {
  // data/lumaro-reminder.desktop is what the package installs in /etc/xdg/autostart.
  const std::string installed = testenv::ReadFile(std::string(LUMARO_SOURCE_DATADIR) + "/lumaro-reminder.desktop");
  EXPECT_EQ(installed, AutostartEntryText(false));
}

}  // namespace
