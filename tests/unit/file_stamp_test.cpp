#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "base/file_util.h"
#include "test_env.h"

namespace {

using testenv::TempHome;
using testenv::WriteFile;

// Every way a file can change gives it another stamp; looking at it does not.
TEST(FileStamp, ChangesWithTheFile) {
  TempHome home;
  const std::string path = home.lumaro("data");
  const FileStamp missing = FileStampOf(path);
  EXPECT_FALSE(missing.exists);
  EXPECT_FALSE(missing.regular);
  EXPECT_EQ(missing, FileStampOf(path));

  WriteFile(path, "one");
  const FileStamp first = FileStampOf(path);
  EXPECT_TRUE(first.exists);
  EXPECT_TRUE(first.regular);
  EXPECT_EQ(first.size, 3);
  EXPECT_NE(first, missing);
  EXPECT_EQ(first, FileStampOf(path));  // unchanged

  WriteFile(path, "two!");  // another size
  const FileStamp written = FileStampOf(path);
  EXPECT_NE(written, first);

  // Rewritten with the same size and its time of modification set back:
  // the time of change still moves (file times tick in milliseconds, so wait
  // for the next tick first).
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  ::usleep(30000);
  WriteFile(path, "owt!");
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  const FileStamp sameSizeAndTime = FileStampOf(path);
  EXPECT_EQ(sameSizeAndTime.size, written.size);
  EXPECT_EQ(sameSizeAndTime.modifiedNs, written.modifiedNs);
  EXPECT_NE(sameSizeAndTime, written);

  // Replaced by renaming another file over it: another inode.
  const std::string other = home.lumaro("other");
  WriteFile(other, "two!");
  ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
  ASSERT_EQ(std::rename(other.c_str(), path.c_str()), 0);
  const FileStamp renamed = FileStampOf(path);
  EXPECT_NE(renamed.inode, written.inode);
  EXPECT_NE(renamed, written);

  const FileStamp folder = FileStampOf(home.path() + "/.lumaro");
  EXPECT_TRUE(folder.exists);
  EXPECT_FALSE(folder.regular);
}

}  // namespace
