#include "base/settings_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <string>

#include "base/file_util.h"
#include "storage/anniversaries.h"
#include "reference_data.h"
#include "test_env.h"

namespace {

using testenv::ReadFile;
using testenv::TempHome;
using testenv::WriteFile;

std::string SettingsPath(const TempHome& home) { return home.lumaro("kivrasettings"); }

TEST(SettingsFile, Location) {
  TempHome home;
  EXPECT_EQ(SettingsGetHomePath(), home.path() + "/");
  EXPECT_EQ(SettingsGetFileName(), home.path() + "/.lumaro/kivrasettings");
  ::setenv("HOME", (home.path() + "/").c_str(), 1);
  EXPECT_EQ(SettingsGetFileName(), home.path() + "/.lumaro/kivrasettings");
  ::unsetenv("HOME");
  EXPECT_EQ(SettingsGetHomePath(), "./");
  ::setenv("HOME", "", 1);
  EXPECT_EQ(SettingsGetHomePath(), "");
  ::setenv("HOME", home.path().c_str(), 1);
}

TEST(SettingsFile, ParseGrammar) {
  auto rows = testdata::ReadRows("settings_lines.tsv", '\t');
  ASSERT_GT(rows.size(), 5u);
  rows.push_back({"City: \"A\" trailing\r", "City", "A"});  // after the closing quote: ignored
  rows.push_back({"\tStyle: \"1\"", "", ""});               // a tab is not a blank
  rows.push_back({"# comment: \"x\"", "", ""});              // not a key character first
  rows.push_back({std::string("K: \"a\0b\"", 8), "K", "a"});  // a NUL byte ends the line's content
  for (const auto& f : rows) {
    std::string key = "junk", value = "junk";
    SettingsParseLine(f.at(0), key, value);
    EXPECT_EQ(key + "=" + value, f.at(1) + "=" + f.at(2)) << "line: " << f.at(0);
  }
}

// Reads and writes of settings_file_cases.tsv, each on its own file.
TEST(SettingsFile, ReadAndWriteCases) {
  const auto rows = testdata::ReadRows("settings_file_cases.tsv", '\t');
  ASSERT_GT(rows.size(), 20u);
  for (const auto& f : rows) {
    TempHome home;
    const std::string before = testenv::Unescape(f.at(0)), key = f.at(2), value = testenv::Unescape(f.at(3));
    if (f[0] != "-") WriteFile(SettingsPath(home), before);
    const std::string& action = f.at(1);
    const std::string result = action == "get"      ? SettingsGet(key, value)
                               : action == "getint" ? std::to_string(SettingsGetInt(key, std::stoi(value)))
                               : action == "set"    ? std::to_string(SettingsSet(key, value))
                               : action == "setint" ? std::to_string(SettingsSetInt(key, std::stoi(value)))
                                                    : std::to_string(SettingsRemoveAllKeysWithBeginning(key));
    EXPECT_EQ(result, f.at(4)) << action << " " << key << " in " << f[0];
    const std::string after = f.at(5) == "=" ? before : testenv::Unescape(f[5]);
    EXPECT_EQ(std::filesystem::exists(SettingsPath(home)) ? ReadFile(SettingsPath(home)) : "-", after) << action << " " << key;
  }
}

TEST(SettingsFile, HostileContent) {
  TempHome home;
  std::string garbage;
  garbage += std::string(10000, 'A') + ": \"" + std::string(10000, 'v') + "\"\n";  // over-long key and value
  garbage += "Long: \"" + std::string(300, 'x') + "\"\n";
  const char binary[] = "Bin\0ary: \"\x01\x02\xff\"\n";
  garbage += std::string(binary, sizeof binary - 1);
  for (int i = 0; i < 256; ++i) garbage += static_cast<char>(i);
  garbage += "\nStyle: \"1\"\n";
  WriteFile(SettingsPath(home), garbage);

  EXPECT_EQ(SettingsGetInt("Style", 2), 1);
  // Over-long keys and values are cut to 255 bytes.
  EXPECT_EQ(SettingsGet("Long", ""), std::string(255, 'x'));
  EXPECT_EQ(SettingsGet(std::string(255, 'A'), ""), std::string(255, 'v'));
  // A rewrite keeps every parsed line within the limits and the file readable.
  ASSERT_TRUE(SettingsSetInt("Style", 2));
  EXPECT_EQ(SettingsGetInt("Style", 0), 2);
  EXPECT_EQ(SettingsGet("Long", ""), std::string(255, 'x'));
  std::istringstream after(ReadFile(SettingsPath(home)));
  for (std::string line; std::getline(after, line);) EXPECT_LE(line.size(), 255u + 255u + 4u);
}

TEST(SettingsFile, RefusesValuesTheFileCannotHold) {
  TempHome home;
  ASSERT_TRUE(SettingsSet("City", "Old"));
  EXPECT_FALSE(SettingsSet("City", "a\"b"));
  EXPECT_FALSE(SettingsSet("City", "line\nbreak"));
  EXPECT_FALSE(SettingsSet("City", std::string(256, 'x')));
  EXPECT_FALSE(SettingsSet("Bad Key", "x"));
  EXPECT_FALSE(SettingsSet("", "x"));
  EXPECT_EQ(SettingsGet("City", ""), "Old");
  EXPECT_TRUE(SettingsSet("City", std::string(255, 'x')));
}

// Each caller of the safe write (rows of safe_write_cases.tsv).
TEST(SafeWrite, SettingsAndAnniversaries) {
  const auto rows = testdata::ReadRows("safe_write_cases.tsv", '\t');
  ASSERT_EQ(rows.size(), 6u);
  for (const auto& f : rows) {
    const std::string& setup = f.at(1);
    TempHome home(setup == "refuse-replace");
    const bool settings = f.at(0) == "settings";
    const std::string dir = home.path() + "/.lumaro", file = home.lumaro(settings ? "kivrasettings" : "kivraanni");
    WriteFile(setup == "folder-is-file" ? dir : file, "old\n");
    const bool refuse = setup == "refuse-replace";
    storage::SetBeforeReplaceHookForTesting(refuse ? +[] { return false; } : nullptr);
    storage::SetAnniBeforeReplaceHookForTesting(refuse ? +[] { return false; } : nullptr);
    std::string error;
    const bool ok = settings ? SettingsSet("Style", "2") : AnniFileStore({{"x", 'B', 0, {1, 1, 2000}, 0}}, &error);
    storage::SetBeforeReplaceHookForTesting(nullptr);
    storage::SetAnniBeforeReplaceHookForTesting(nullptr);
    SCOPED_TRACE(f[0] + " " + setup);
    EXPECT_EQ(ok, f.at(2) == "1");
    EXPECT_TRUE(settings || ok || !error.empty()) << "no reason given";
    EXPECT_EQ(ReadFile(setup == "folder-is-file" ? dir : file), testenv::Unescape(f.at(3)));
    if (setup == "folder-is-file") continue;
    struct stat st {};
    EXPECT_TRUE(::stat(dir.c_str(), &st) == 0 && (refuse || (st.st_mode & 0777) == 0700));
    const auto entries = std::filesystem::directory_iterator(dir);
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
  }
}

TEST(SettingsFile, StaleTemporaryFilesAreRemovedWhenOld) {
  TempHome home;
  const std::string dir = home.path() + "/.lumaro";
  for (const char* name : {"/.lumaro-tmp-old123", "/.lumaro-tmp-new456", "/kivrasettings"}) WriteFile(dir + name, "x");
  const struct timespec old[2] = {{::time(nullptr) - 7200, 0}, {::time(nullptr) - 7200, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir + "/.lumaro-tmp-old123").c_str(), old, 0), 0);
  EXPECT_EQ(RemoveStaleTempFiles(dir, 3600), 1);
  EXPECT_FALSE(std::filesystem::exists(dir + "/.lumaro-tmp-old123"));
  EXPECT_TRUE(std::filesystem::exists(dir + "/.lumaro-tmp-new456"));
  EXPECT_TRUE(std::filesystem::exists(dir + "/kivrasettings"));
  EXPECT_EQ(RemoveStaleTempFiles(dir + "/missing", 0), 0);
}

// Written files get the user's umask (a file replaced keeps its own
// permissions), and a symbolic link planted where a file is written is
// replaced, never written through.
TEST(SettingsFile, UmaskAndPlantedLinks) {
  TempHome home;
  const std::string dir = home.path() + "/.lumaro";
  const mode_t oldMask = ::umask(027);
  auto write = [](const std::string& path, const char* text) {
    return ReplaceFileAtomically(path, [&](std::FILE* f) { return std::fputs(text, f) >= 0; });
  };
  auto mode = [](const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
  };
  EXPECT_TRUE(write(dir + "/new", "a"));
  EXPECT_EQ(mode(dir + "/new"), 0640u);
  ASSERT_EQ(::chmod((dir + "/new").c_str(), 0604), 0);
  EXPECT_TRUE(write(dir + "/new", "b"));
  EXPECT_EQ(mode(dir + "/new"), 0604u);
  ::umask(077);
  EXPECT_TRUE(SettingsSet("Style", "1"));
  EXPECT_EQ(mode(SettingsPath(home)), 0600u);
  ::umask(oldMask);

  WriteFile(home.path() + "/victim", "keep");
  ASSERT_EQ(::symlink((home.path() + "/victim").c_str(), (dir + "/planted").c_str()), 0);
  EXPECT_TRUE(write(dir + "/planted", "new"));
  EXPECT_EQ(ReadFile(home.path() + "/victim"), "keep");
  EXPECT_EQ(ReadFile(dir + "/planted"), "new");
  EXPECT_FALSE(std::filesystem::is_symlink(dir + "/planted"));

  std::string bad = dir + "/no-template";
  EXPECT_EQ(CreateNewFile(bad), -1);
  EXPECT_EQ(errno, EINVAL);
}

}  // namespace
