// The settings file: its place, its line grammar, reads and writes
// (settings_*.tsv), hostile content, and the safe replacement of user files.
#include "base/settings_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/file_util.h"
#include "storage/anniversaries.h"
#include "test_env.h"

namespace {

namespace fs = std::filesystem;
using namespace testenv;

TEST(SettingsFile, LocationAndLineGrammar) {
  TempHome home;
  EXPECT_EQ(SettingsGetFileName(), home.path() + "/.lumaro/kivrasettings");
  testenv::ScopedEnv slash("HOME", (home.path() + "/").c_str());
  EXPECT_EQ(SettingsGetFileName(), home.path() + "/.lumaro/kivrasettings");
  ::unsetenv("HOME");
  EXPECT_EQ(SettingsGetFileName(), "./.lumaro/kivrasettings");
  const auto rows = testenv::CaseRows("settings_lines.tsv");
  ASSERT_GT(rows.size(), 5u);
  for (const auto& f : rows) {
    std::string key = "junk", value = "junk";
    SettingsParseLine(f.at(0), key, value);
    EXPECT_EQ(key + "=" + value, f.at(1) + "=" + f.at(2)) << "line: " << f.at(0);
  }
}

TEST(SettingsFile, ReadAndWriteCases) {
  const auto rows = testenv::CaseRows("settings_file_cases.tsv");
  ASSERT_GT(rows.size(), 20u);
  for (const auto& f : rows) {
    TempHome home;
    const std::string file = home.lumaro("kivrasettings"), &action = f.at(1), &key = f.at(2), &value = f.at(3);
    if (f[0] != "-") WriteFile(file, f[0]);
    const std::string result = action == "get"      ? SettingsGet(key, value)
                               : action == "getint" ? std::to_string(SettingsGetInt(key, std::stoi(value)))
                               : action == "set"    ? std::to_string(SettingsSet(key, value))
                               : action == "setint" ? std::to_string(SettingsSetInt(key, std::stoi(value)))
                                                    : std::to_string(SettingsRemoveAllKeysWithBeginning(key));
    EXPECT_EQ(result, f.at(4)) << action << " " << key << " in " << f[0];
    EXPECT_EQ(fs::exists(file) ? ReadFile(file) : "-", f.at(5) == "=" ? f[0] : f[5]) << action << " " << key;
  }
}

TEST(SettingsFile, HostileContent) {
  TempHome home;
  std::string garbage = std::string(10000, 'A') + ": \"" + std::string(10000, 'v') + "\"\n";  // over-long key and value
  garbage += "Long: \"" + std::string(300, 'x') + "\"\n" + std::string("Bin\0ary: \"\x01\x02\xff\"\n", 15);
  for (int i = 0; i < 256; ++i) garbage += static_cast<char>(i);
  WriteFile(home.lumaro("kivrasettings"), garbage + "\nStyle: \"1\"\n");
  EXPECT_EQ(SettingsGetInt("Style", 2), 1);
  // Over-long keys and values are cut to 255 bytes; a rewrite keeps them so.
  EXPECT_EQ(SettingsGet(std::string(255, 'A'), ""), std::string(255, 'v'));
  ASSERT_TRUE(SettingsSetInt("Style", 2));
  EXPECT_EQ(SettingsGetInt("Style", 0), 2);
  EXPECT_EQ(SettingsGet("Long", ""), std::string(255, 'x'));
  for (const std::string& line : testenv::Lines(ReadFile(home.lumaro("kivrasettings")))) EXPECT_LE(line.size(), 514u);
}

// Each caller of the safe write (rows of safe_write_cases.tsv).
TEST(SafeWrite, SettingsAndAnniversaries) {
  const auto rows = testenv::CaseRows("safe_write_cases.tsv");
  ASSERT_EQ(rows.size(), 6u);
  for (const auto& f : rows) {
    const std::string& setup = f.at(1);
    const bool settings = f.at(0) == "settings", refuse = setup == "refuse-replace",
               noFolder = setup == "folder-is-file";
    TempHome home(refuse);
    const std::string dir = home.path() + "/.lumaro", file = home.lumaro(settings ? "kivrasettings" : "kivraanni");
    WriteFile(noFolder ? dir : file, "old\n");
    storage::SetBeforeReplaceHookForTesting(refuse ? +[] { return false; } : nullptr);
    storage::SetAnniBeforeReplaceHookForTesting(refuse ? +[] { return false; } : nullptr);
    std::string error;
    const bool ok = settings ? SettingsSet("Style", "2") : AnniFileStore({{"x", 'B', 0, {1, 1, 2000}, 0}}, &error);
    storage::SetBeforeReplaceHookForTesting(nullptr);
    storage::SetAnniBeforeReplaceHookForTesting(nullptr);
    SCOPED_TRACE(f[0] + " " + setup);
    EXPECT_EQ(ok, f.at(2) == "1");
    EXPECT_TRUE(settings || ok || !error.empty()) << "no reason given";
    EXPECT_EQ(ReadFile(noFolder ? dir : file), f.at(3));
    if (noFolder) continue;
    struct stat st {};
    EXPECT_TRUE(::stat(dir.c_str(), &st) == 0 && (refuse || (st.st_mode & 0777) == 0700));
    const auto entries = fs::directory_iterator(dir);
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
  }
}

// Written files get the user's umask; a symbolic link planted where a file is
// written is replaced, never written through; temporary files go once old.
TEST(SafeWrite, UmaskPlantedLinksAndStaleFiles) {
  TempHome home;
  const std::string dir = home.path() + "/.lumaro";
  const mode_t oldMask = ::umask(077);
  EXPECT_TRUE(SettingsSet("Style", "1"));
  ::umask(oldMask);
  struct stat st {};
  EXPECT_TRUE(::stat(home.lumaro("kivrasettings").c_str(), &st) == 0 && (st.st_mode & 07777) == 0600);
  WriteFile(home.path() + "/victim", "keep");
  ASSERT_EQ(::symlink((home.path() + "/victim").c_str(), (dir + "/planted").c_str()), 0);
  EXPECT_TRUE(ReplaceFileAtomically(dir + "/planted", [](std::FILE* f) { return std::fputs("new", f) >= 0; }));
  EXPECT_EQ(ReadFile(home.path() + "/victim") + ReadFile(dir + "/planted"), "keepnew");
  EXPECT_FALSE(fs::is_symlink(dir + "/planted"));
  for (const char* name : {"/.lumaro-tmp-old123", "/.lumaro-tmp-new456"}) WriteFile(dir + name, "x");
  const struct timespec old[2] = {{::time(nullptr) - 7200, 0}, {::time(nullptr) - 7200, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir + "/.lumaro-tmp-old123").c_str(), old, 0), 0);
  EXPECT_EQ(RemoveStaleTempFiles(dir, 3600), 1);
  EXPECT_TRUE(!fs::exists(dir + "/.lumaro-tmp-old123") && fs::exists(dir + "/.lumaro-tmp-new456") &&
              fs::exists(dir + "/kivrasettings"));
  EXPECT_EQ(RemoveStaleTempFiles(dir + "/missing", 0), 0);
}

}  // namespace
