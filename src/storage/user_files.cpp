#include "storage/user_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "storage/file_util.h"

namespace {

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool HoldsShippedFiles(const std::string& dir) {
  return !dir.empty() && IsRegularFile(dir + "/" + std::string(kDefaultUserFiles[0]));
}

// Writes `content` to `target` only if `target` does not exist: through a
// temporary file in the same directory that is then linked to the target
// name (link never replaces an existing file).
bool CopyIfMissing(const std::string& content, const std::string& target, std::string* error) {
  const size_t slash = target.rfind('/');
  std::string tmp = target.substr(0, slash + 1) + ".lumaro-tmp-XXXXXX";
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) {
    *error = "cannot create a temporary file for " + target + ": " + std::strerror(errno);
    return false;
  }
  (void)::fchmod(fd, 0644);
  FilePtr f(::fdopen(fd, "wb"));
  if (!f) {
    ::close(fd);
    ::unlink(tmp.c_str());
    *error = "cannot write " + tmp;
    return false;
  }
  bool ok = std::fwrite(content.data(), 1, content.size(), f.get()) == content.size();
  ok = ok && std::fflush(f.get()) == 0 && ::fsync(::fileno(f.get())) == 0;
  const int writeErrno = errno;
  if (std::fclose(f.release()) != 0) ok = false;
  if (!ok) {
    ::unlink(tmp.c_str());
    *error = "cannot write " + tmp + ": " + std::strerror(writeErrno);
    return false;
  }
  // link() never replaces an existing file; EEXIST means someone made it
  // meanwhile, and theirs stays.
  if (::link(tmp.c_str(), target.c_str()) == 0 || errno == EEXIST) {
    ::unlink(tmp.c_str());
    return true;
  }
  // A file system without hard links: rename, still refusing to replace.
  if (!Exists(target) && ::rename(tmp.c_str(), target.c_str()) == 0) return true;
  const int renameErrno = errno;
  ::unlink(tmp.c_str());
  if (Exists(target)) return true;
  *error = "cannot create " + target + ": " + std::strerror(renameErrno);
  return false;
}

}  // namespace

std::string FindDataDir() {
  if (const char* env = std::getenv("LUMARO_DATADIR"); env && HoldsShippedFiles(env)) return env;
  if (HoldsShippedFiles(LUMARO_INSTALL_DATADIR)) return LUMARO_INSTALL_DATADIR;
  if (HoldsShippedFiles(LUMARO_SOURCE_DATADIR)) return LUMARO_SOURCE_DATADIR;
  return {};
}

bool InstallDefaultUserFiles(std::string* error) {
  std::string ignored;
  if (!error) error = &ignored;
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    *error = "HOME is not set";
    return false;
  }
  std::string dir = home;
  if (dir.back() != '/') dir += '/';
  dir += ".lumaro";
  if (!EnsureDirectory(dir)) {
    const int e = errno;
    *error = Exists(dir) ? dir + " exists and is not a directory"
                         : "cannot create the directory " + dir + ": " + std::strerror(e);
    return false;
  }
  // Saves interrupted by a kill leave their temporary files; an hour later
  // no save can still be writing them.
  RemoveStaleTempFiles(dir, 3600);
  bool ok = true;
  std::string dataDir;
  for (std::string_view name : kDefaultUserFiles) {
    const std::string target = dir + "/" + std::string(name);
    if (Exists(target)) continue;
    if (dataDir.empty()) dataDir = FindDataDir();
    std::string content;
    if (dataDir.empty() || !ReadWholeFile(dataDir + "/" + std::string(name), content)) {
      *error = "the shipped file " + std::string(name) + " was not found";
      ok = false;
      continue;
    }
    if (!CopyIfMissing(content, target, error)) ok = false;
  }
  return ok;
}
