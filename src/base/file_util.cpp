#include "base/file_util.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <cstdlib>
#include <cstring>
#include <random>

bool EnsureDirectory(const std::string& dir) {
  struct stat st {};
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  if (::mkdir(dir.c_str(), 0700) == 0) return true;
  return errno == EEXIST && ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {

// Name prefix of the temporary files made while replacing a file.
constexpr const char* kTempPrefix = ".lumaro-tmp-";

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Fills the trailing "XXXXXX" of `pathTemplate` with random letters and
// digits and calls `create` on the name until it does not exist yet.
// `create` returns a negative value with errno set on failure.
template <class Create>
int CreateUnique(std::string& pathTemplate, Create create) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  constexpr size_t kRandomChars = 6;
  if (pathTemplate.size() < kRandomChars ||
      pathTemplate.compare(pathTemplate.size() - kRandomChars, kRandomChars, "XXXXXX") != 0) {
    errno = EINVAL;
    return -1;
  }
  static std::mt19937_64 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  const size_t start = pathTemplate.size() - kRandomChars;
  for (int attempt = 0; attempt < 100; ++attempt) {
    for (size_t i = start; i < pathTemplate.size(); ++i) pathTemplate[i] = kLetters[pick(random)];
    const int result = create(pathTemplate.c_str());
    if (result >= 0 || errno != EEXIST) return result;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

int CreateNewFile(std::string& pathTemplate) {
  // O_EXCL with O_CREAT fails on any existing name, a symbolic link included.
  return CreateUnique(pathTemplate, [](const char* path) {
    return ::open(path, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  });
}

bool CreateNewDirectory(std::string& pathTemplate) {
  return CreateUnique(pathTemplate, [](const char* path) { return ::mkdir(path, 0777); }) == 0;
}

bool ReplaceFileAtomically(const std::string& path, const std::function<bool(std::FILE*)>& writer,
                           std::string* error, const std::function<bool()>& beforeReplace) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  const std::string dir = DirectoryOf(path);
  std::string tmpl = dir + "/" + kTempPrefix + "XXXXXX";
  const int fd = CreateNewFile(tmpl);
  if (fd < 0) return fail("cannot create a temporary file in " + dir + ": " + std::strerror(errno));
  const std::string tmpName = tmpl;

  // Keep the permissions of the file we replace; a new file has the umask's.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) (void)::fchmod(fd, st.st_mode & 07777);

  FilePtr f(::fdopen(fd, "wb"));
  if (!f) {
    ::close(fd);
    ::unlink(tmpName.c_str());
    return fail("cannot open the temporary file " + tmpName);
  }
  bool ok = writer(f.get());
  ok = ok && std::fflush(f.get()) == 0 && !std::ferror(f.get());
  ok = ok && ::fsync(::fileno(f.get())) == 0;
  const int savedErrno = errno;
  if (std::fclose(f.release()) != 0) ok = false;
  if (!ok) {
    ::unlink(tmpName.c_str());
    return fail("cannot write " + tmpName + ": " + std::strerror(savedErrno));
  }
  if (beforeReplace && !beforeReplace()) {
    ::unlink(tmpName.c_str());
    return fail("replacing " + path + " was cancelled");
  }
  if (::rename(tmpName.c_str(), path.c_str()) != 0) {
    const int e = errno;
    ::unlink(tmpName.c_str());
    return fail("cannot replace " + path + ": " + std::strerror(e));
  }
  return true;
}

int RemoveStaleTempFiles(const std::string& dir, long minAgeSeconds) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return 0;
  const time_t now = ::time(nullptr);
  int removed = 0;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name.rfind(kTempPrefix, 0) != 0) continue;
    const std::string path = dir + "/" + name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (now - st.st_mtime < minAgeSeconds) continue;  // perhaps another instance is saving
    if (::unlink(path.c_str()) == 0) ++removed;
  }
  ::closedir(d);
  return removed;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  content.clear();
  FilePtr f = OpenFile(path, "rb");
  if (!f) return false;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) content.append(buf, n);
  return !std::ferror(f.get());
}

FileStamp FileStampOf(const std::string& path) {
  FileStamp s;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return s;
  s.exists = true;
  s.regular = S_ISREG(st.st_mode);
  s.device = static_cast<uint64_t>(st.st_dev);
  s.inode = static_cast<uint64_t>(st.st_ino);
  s.size = static_cast<int64_t>(st.st_size);
  s.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  s.changedNs = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  return s;
}

std::string ExpandHome(const std::string& path) {
  if (path.empty() || path[0] != '~') return path;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + path.substr(1);
}
