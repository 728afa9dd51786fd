// The user's own places in the city file: adding, editing and removing
// change the place's line alone (tests/data/user_places.tsv), and a failed
// write leaves the file as it was.
#include "storage/user_places.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_env.h"

namespace {

using testenv::ReadFile;
using testenv::WriteFile;

TEST(UserPlaces, ChangeOnlyTheirOwnLine) {
  for (const auto& r : testenv::CaseRows("user_places.tsv")) {
    ASSERT_EQ(r.size(), 6u);
    testenv::TempHome home;
    const std::string file = home.lumaro("cities");
    if (r[3] != "-") WriteFile(file, r[3]);
    std::string error;
    bool done = false;
    if (r[0] == "add") done = UserPlaceAdd(file, r[2], &error);
    if (r[0] == "edit") done = UserPlaceReplace(file, r[1], r[2], &error);
    if (r[0] == "remove") done = UserPlaceRemove(file, r[1], &error);
    EXPECT_EQ(done, r[4] == "1") << r[0] << " " << r[3];
    EXPECT_EQ(error.empty(), done) << error;
    EXPECT_EQ(r[5] == "-" ? !std::filesystem::exists(file) : ReadFile(file) == r[5], true) << r[0] << " " << r[3];
    // What is there after a change is found again, as the file's reader reads it.
    const std::optional<CityRec> added = UserPlaceFind(file, r[2].substr(1, 1));
    EXPECT_EQ(added.has_value(), done && r[0] != "remove") << r[0] << " " << r[3];
  }
}

// In a folder the user may not write to, each change fails with the
// system's reason and the file stays byte for byte (run as a user without
// the right to write there: as root, as "nobody").
TEST(UserPlaces, AWriteFailureLeavesTheFile) {
  testenv::TempHome home;
  const std::string dir = home.path() + "/.lumaro";
  const std::string file = dir + "/cities";
  const std::string before = "# c\r\n\"P\", 31,46 N, 35,13 E, GMT+2, Asia/Jerusalem  # added by you\r\n";
  WriteFile(file, before);
  ::chmod(home.path().c_str(), 0755);
  ::chmod(dir.c_str(), 0555);
  ::chmod(file.c_str(), 0644);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    const std::string line = "\"Q\", 1,0 N, 2,0 E, GMT+0, Etc/UTC";
    int refused = 0;
    for (int op = 0; op < 3; ++op) {
      std::string error;
      const bool done = op == 0   ? UserPlaceAdd(file, line, &error)
                        : op == 1 ? UserPlaceReplace(file, "P", line, &error)
                                  : UserPlaceRemove(file, "P", &error);
      refused += !done && error.find("Permission denied") != std::string::npos;
    }
    ::_exit(refused == 3 ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(ReadFile(file), before);
  ::chmod(dir.c_str(), 0700);
}

}  // namespace
