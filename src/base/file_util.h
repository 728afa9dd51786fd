// Small RAII helpers for C stdio files and safe file replacement.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

inline FilePtr OpenFile(const std::string& path, const char* mode) {
  return FilePtr(std::fopen(path.c_str(), mode));
}

// Creates `dir` with mode 0700 when it does not exist (its parent must).
// Returns true when the directory exists afterwards.
bool EnsureDirectory(const std::string& dir);

// Creates a new file for writing whose name is `pathTemplate` with its last
// six characters ("XXXXXX") replaced by random letters and digits, like
// mkstemp, but with the permissions the user's umask gives new files. It
// never opens an existing file or follows a symbolic link. Returns the open
// descriptor and leaves the name in `pathTemplate`, or -1 (errno set).
int CreateNewFile(std::string& pathTemplate);
// The same for a new directory; false (errno set) when none was made.
bool CreateNewDirectory(std::string& pathTemplate);

// Replaces the file at `path` with what `writer` writes: the content goes to
// a temporary file created exclusively in the same directory, is flushed to
// disk and renamed over `path`, so a reader (or a crash) sees either the old
// or the new file, never a part. A file replaced keeps its permissions; a
// new one gets the user's umask. On failure the temporary file is removed,
// `path` is untouched, `error` (if given) says why and false is returned.
// `beforeReplace`, when set, runs after the flush and may veto the rename.
bool ReplaceFileAtomically(const std::string& path, const std::function<bool(std::FILE*)>& writer,
                           std::string* error = nullptr,
                           const std::function<bool()>& beforeReplace = nullptr);

// Removes temporary files of ReplaceFileAtomically in `dir` that are older
// than `minAgeSeconds` (left behind when the program was killed while
// saving). Returns how many were removed.
int RemoveStaleTempFiles(const std::string& dir, long minAgeSeconds);

// Whole content of a file; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& content);

// What identifies one version of a file on disk. A file whose stamp is the
// same as when it was read has not changed since, so its parsed content can
// be kept; a file replaced by renaming (another inode), written (size, time
// of modification) or touched (time of change) gets another stamp.
struct FileStamp {
  bool exists = false;   // stat succeeded
  bool regular = false;  // a regular file (not a directory or a device)
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t modifiedNs = 0;  // st_mtim in nanoseconds
  int64_t changedNs = 0;   // st_ctim in nanoseconds
  bool operator==(const FileStamp& o) const {
    return exists == o.exists && regular == o.regular && device == o.device && inode == o.inode && size == o.size &&
           modifiedNs == o.modifiedNs && changedNs == o.changedNs;
  }
  bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// The stamp of the file at `path` now (following links); a path that
// cannot be examined gives the stamp with exists false.
FileStamp FileStampOf(const std::string& path);

// Expands a leading "~" to the home directory ("~/x" -> "$HOME/x").
std::string ExpandHome(const std::string& path);
