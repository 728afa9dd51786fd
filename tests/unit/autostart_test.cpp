// The login reminder's autostart entry: off unless the user's entry turns it
// on, written where XDG_CONFIG_HOME (or ~/.config) says, and read back.
#include "storage/autostart.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_env.h"

namespace {

namespace fs = std::filesystem;
using testenv::ReadFile;

class AutostartTest : public ::testing::Test {
 protected:
  testenv::TempHome home_;
  testenv::ScopedEnv config_{"XDG_CONFIG_HOME", nullptr};
  const std::string dir_ = home_.path() + "/.config/autostart", file_ = dir_ + "/lumaro-reminder.desktop";
};

TEST_F(AutostartTest, OffUntilTurnedOnAndBackOffWhereXdgConfigHomeSays) {
  EXPECT_EQ(AutostartUserFile(), file_);
  EXPECT_FALSE(AutostartReminderEnabled());  // nothing there: the installed, hidden entry
  std::string error;
  ASSERT_TRUE(AutostartSetReminderEnabled(true, &error)) << error;  // creates ~/.config/autostart
  EXPECT_TRUE(AutostartReminderEnabled());
  const std::string on = ReadFile(file_);
  EXPECT_EQ(on.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_NE(on.find("\nExec=lumaro-cli upcoming --notify\n"), std::string::npos) << on;
  EXPECT_NE(on.find("\nHidden=false\n"), std::string::npos) << on;
  ASSERT_TRUE(AutostartSetReminderEnabled(false, &error)) << error;
  EXPECT_FALSE(AutostartReminderEnabled());
  EXPECT_NE(ReadFile(file_).find("\nHidden=true\n"), std::string::npos);  // an entry that hides the installed one
  // data/lumaro-reminder.desktop is what the package installs in /etc/xdg/autostart.
  EXPECT_EQ(ReadFile(std::string(LUMARO_SOURCE_DATADIR) + "/lumaro-reminder.desktop"), AutostartEntryText(false));
  // The panel indicator's entry is a file of its own beside the reminder's.
  EXPECT_EQ(ReadFile(std::string(LUMARO_SOURCE_DATADIR) + "/lumaro-indicator.desktop"),
            IndicatorAutostartEntryText(false));
  EXPECT_FALSE(IndicatorAutostartEnabled());
  ASSERT_TRUE(SetIndicatorAutostart(true, &error)) << error;
  EXPECT_TRUE(IndicatorAutostartEnabled());
  EXPECT_NE(ReadFile(dir_ + "/lumaro-indicator.desktop").find("\nExec=lumaro --indicator\n"), std::string::npos);
  EXPECT_FALSE(AutostartReminderEnabled());
  for (const auto& f : testenv::CaseRows("autostart_entries.tsv")) {
    testenv::WriteFile(file_, f.at(0));
    EXPECT_EQ(AutostartReminderEnabled(), f.at(1) == "1") << f[0];
  }
  const std::string config = home_.path() + "/elsewhere";
  fs::create_directory(config);
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  ASSERT_TRUE(AutostartSetReminderEnabled(true, nullptr));
  EXPECT_TRUE(fs::exists(config + "/autostart/lumaro-reminder.desktop"));
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // not a base directory: ~/.config serves
  EXPECT_EQ(AutostartUserFile(), file_);
}

TEST_F(AutostartTest, AFailureIsReported) {
  fs::create_directories(home_.path() + "/.config");
  testenv::WriteFile(dir_, "not a folder");  // a file where the folder should be (also root cannot write)
  std::string error;
  EXPECT_FALSE(AutostartSetReminderEnabled(true, &error));
  EXPECT_NE(error.find("/.config/autostart"), std::string::npos) << error;
  EXPECT_FALSE(AutostartReminderEnabled());
  EXPECT_EQ(ReadFile(dir_), "not a folder");
  fs::remove(dir_);
  fs::create_directories(file_);  // a folder where the entry should be: the rename over it fails
  error.clear();
  EXPECT_FALSE(AutostartSetReminderEnabled(true, &error) || error.empty());
  EXPECT_TRUE(fs::is_directory(file_));
}

}  // namespace
