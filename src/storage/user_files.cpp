#include "storage/user_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "base/file_util.h"
#include "base/version.h"

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

// Writes `content` through `fd`, an open new file at `path`, flushes it to
// disk and closes it. On failure the file is removed.
bool WriteAndClose(int fd, const std::string& path, const std::string& content, std::string* error) {
  FilePtr f(::fdopen(fd, "wb"));
  if (!f) {
    ::close(fd);
    ::unlink(path.c_str());
    *error = "cannot write " + path;
    return false;
  }
  bool ok = std::fwrite(content.data(), 1, content.size(), f.get()) == content.size();
  ok = ok && std::fflush(f.get()) == 0 && ::fsync(::fileno(f.get())) == 0;
  const int writeErrno = errno;
  if (std::fclose(f.release()) != 0) ok = false;
  if (!ok) {
    ::unlink(path.c_str());
    *error = "cannot write " + path + ": " + std::strerror(writeErrno);
  }
  return ok;
}

// Writes `content` to `target` only if `target` does not exist: through a
// temporary file in the same directory that is then linked to the target
// name (link never replaces an existing file).
bool CopyIfMissing(const std::string& content, const std::string& target, std::string* error) {
  const size_t slash = target.rfind('/');
  std::string tmp = target.substr(0, slash + 1) + ".lumaro-tmp-XXXXXX";
  const int fd = CreateNewFile(tmp);
  if (fd < 0) {
    *error = "cannot create a temporary file for " + target + ": " + std::strerror(errno);
    return false;
  }
  if (!WriteAndClose(fd, tmp, content, error)) return false;
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

struct DirCloser {
  void operator()(DIR* d) const {
    if (d) ::closedir(d);
  }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

// The names of the regular files in `dir`, hidden ones left out, sorted.
bool ListFiles(const std::string& dir, std::vector<std::string>* names) {
  DirPtr d(::opendir(dir.c_str()));
  if (!d) return false;
  while (const dirent* e = ::readdir(d.get())) {
    const std::string name = e->d_name;
    if (name.empty() || name[0] == '.') continue;
    if (IsRegularFile(dir + "/" + name)) names->push_back(name);
  }
  std::sort(names->begin(), names->end());
  return true;
}

// Copies the files of the folder `from` into a new folder `target`: they are
// written into a temporary folder beside the target, which is then renamed
// to the target's name. rename() puts a folder in place of nothing or of an
// empty folder only, so a folder with files that appeared meanwhile stays.
bool CopyFolderIfMissing(const std::string& from, const std::string& target, std::string* error) {
  std::vector<std::string> names;
  if (!ListFiles(from, &names)) {
    *error = "cannot read the shipped folder " + from + ": " + std::strerror(errno);
    return false;
  }
  const size_t slash = target.rfind('/');
  std::string tmp = target.substr(0, slash + 1) + ".lumaro-tmp-XXXXXX";
  if (!CreateNewDirectory(tmp)) {
    *error = "cannot create a temporary folder for " + target + ": " + std::strerror(errno);
    return false;
  }
  auto discard = [&] {
    for (const std::string& name : names) ::unlink((tmp + "/" + name).c_str());
    ::rmdir(tmp.c_str());
  };
  for (const std::string& name : names) {
    std::string content;
    if (!ReadWholeFile(from + "/" + name, content)) {
      *error = "cannot read the shipped file " + from + "/" + name;
      discard();
      return false;
    }
    const std::string path = tmp + "/" + name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) *error = "cannot create " + path + ": " + std::strerror(errno);
    if (fd < 0 || !WriteAndClose(fd, path, content, error)) {
      discard();
      return false;
    }
  }
  if (::rename(tmp.c_str(), target.c_str()) == 0) return true;
  const int renameErrno = errno;
  discard();
  if (Exists(target)) return true;
  *error = "cannot create " + target + ": " + std::strerror(renameErrno);
  return false;
}

// Removes the temporary folders of first runs that were killed while they
// copied the translations: folders named like ours, not changed for
// `minAgeSeconds`, with the files in them.
void RemoveStaleTempFolders(const std::string& dir, long minAgeSeconds) {
  std::vector<std::string> stale;
  {
    DirPtr d(::opendir(dir.c_str()));
    if (!d) return;
    const time_t now = ::time(nullptr);
    while (const dirent* e = ::readdir(d.get())) {
      const std::string name = e->d_name;
      if (name.rfind(".lumaro-tmp-", 0) != 0) continue;
      struct stat st {};
      const std::string path = dir + "/" + name;
      if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || now - st.st_mtime < minAgeSeconds) continue;
      stale.push_back(path);
    }
  }
  for (const std::string& path : stale) {
    std::vector<std::string> files;
    if (ListFiles(path, &files))
      for (const std::string& f : files) ::unlink((path + "/" + f).c_str());
    ::rmdir(path.c_str());
  }
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The data directory beside an installed program: <prefix>/bin/lumaro ->
// <prefix>/share/lumaro. Empty when the program's path is unknown.
std::string DataDirBesideProgram() {
  std::string exe(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size() - 1);
  if (n <= 0) return {};
  exe.resize(static_cast<size_t>(n));
  const size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return {};
  return exe.substr(0, slash + 1) + LUMARO_RELATIVE_DATADIR;
}

}  // namespace

std::string FindDataDir() {
  if (const char* env = std::getenv("LUMARO_DATADIR"); env && HoldsShippedFiles(env)) return env;
  if (const std::string beside = DataDirBesideProgram(); HoldsShippedFiles(beside)) return beside;
  if (HoldsShippedFiles(LUMARO_INSTALL_DATADIR)) return LUMARO_INSTALL_DATADIR;
  if (HoldsShippedFiles(LUMARO_SOURCE_DATADIR)) return LUMARO_SOURCE_DATADIR;
  return {};
}

namespace {

// The version whose shipped translations were last added to the user's
// folder, kept in a hidden file there (listings of the folder pass over it).
constexpr std::string_view kShippedVersionFile = ".shipped-version";

// A translations folder of an earlier version lacks the files shipped since
// (a new language, a new list). Once per version the shipped files it does
// not have are copied in; the user's own files are never replaced, and a
// file the user removes stays removed until the next version.
bool AddMissingTranslations(const std::string& folder, std::string* error) {
  const std::string stampPath = folder + "/" + std::string(kShippedVersionFile);
  std::string stamp;
  if (ReadWholeFile(stampPath, stamp) && stamp == LUMARO_VERSION "\n") return true;
  const std::string dataDir = FindDataDir();
  const std::string shipped = dataDir + "/" + std::string(kDefaultUserTranslations);
  std::vector<std::string> names;
  if (dataDir.empty() || !IsDirectory(shipped) || !ListFiles(shipped, &names)) return true;
  bool ok = true;
  for (const std::string& name : names) {
    const std::string target = folder + "/" + name;
    if (Exists(target)) continue;  // a file, a folder or a link of the user's
    std::string content;
    if (!ReadWholeFile(shipped + "/" + name, content)) {
      *error = "cannot read the shipped file " + shipped + "/" + name;
      ok = false;
    } else if (!CopyIfMissing(content, target, error)) {
      ok = false;
    }
  }
  if (ok) {
    ok = ReplaceFileAtomically(
        stampPath, [](std::FILE* f) { return std::fputs(LUMARO_VERSION "\n", f) >= 0; }, error);
  }
  return ok;
}

}  // namespace

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
  RemoveStaleTempFolders(dir, 3600);
  const std::string folder = dir + "/" + std::string(kDefaultUserTranslations);
  if (!Exists(folder)) {
    if (dataDir.empty()) dataDir = FindDataDir();
    const std::string shipped = dataDir + "/" + std::string(kDefaultUserTranslations);
    if (dataDir.empty() || !IsDirectory(shipped)) {
      *error = "the shipped translations were not found";
      ok = false;
    } else if (!CopyFolderIfMissing(shipped, folder, error)) {
      ok = false;
    }
  }
  if (IsDirectory(folder) && !AddMissingTranslations(folder, error)) ok = false;
  return ok;
}

std::string ShippedTranslationsFolder() {
  const std::string dataDir = FindDataDir();
  return dataDir.empty() ? std::string() : dataDir + "/" + std::string(kDefaultUserTranslations);
}
