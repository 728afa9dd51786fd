// Small RAII helpers for C stdio files and safe file replacement.
#pragma once

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

// Expands a leading "~" to the home directory ("~/x" -> "$HOME/x").
std::string ExpandHome(const std::string& path);
