#include "forms/font_list.h"

#include <dirent.h>
#include <ft2build.h>
#include <sys/stat.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "base/diagnostics.h"
#include "base/settings_file.h"
#include "base/utf8.h"

namespace {

struct DirCloser {
  void operator()(DIR* d) const {
    if (d) closedir(d);
  }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

// The FreeType library for one scan.
class FreeType {
 public:
  FreeType() : error_(FT_Init_FreeType(&library_)) {}
  ~FreeType() {
    if (error_ == 0) FT_Done_FreeType(library_);
  }
  FreeType(const FreeType&) = delete;
  FreeType& operator=(const FreeType&) = delete;
  FT_Error error() const { return error_; }
  FT_Library get() const { return library_; }

 private:
  FT_Library library_ = nullptr;
  FT_Error error_;
};

struct FaceCloser {
  void operator()(FT_Face f) const {
    if (f) FT_Done_Face(f);
  }
};
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceCloser>;

bool IsFontFileName(std::string_view name) {
  return name.find(".ttf") != std::string_view::npos || name.find(".TTF") != std::string_view::npos;
}

enum class EntryKind { kFile, kFolder, kOther };

// Symbolic links are neither files nor folders here, so a link cannot lead
// the scan in a circle.
EntryKind KindOf(const dirent& entry, const std::string& path) {
  switch (entry.d_type) {
    case DT_REG: return EntryKind::kFile;
    case DT_DIR: return EntryKind::kFolder;
    case DT_UNKNOWN: break;  // some file systems do not say: ask
    default: return EntryKind::kOther;
  }
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return EntryKind::kOther;
  if (S_ISREG(st.st_mode)) return EntryKind::kFile;
  if (S_ISDIR(st.st_mode)) return EntryKind::kFolder;
  return EntryKind::kOther;
}

// The family name of face 0 of a font file, or "" (with a message when
// FreeType cannot read the file).
std::string GetFontList_TTFGetName(FT_Library library, const std::string& path) {
  FT_Face raw = nullptr;
  const FT_Error error = FT_New_Face(library, path.c_str(), 0, &raw);
  FacePtr face(raw);
  if (error != 0) {
    DiagWarning("Reading font file " + std::string(path.c_str()) + " via FreeType failed, error code " +
                std::to_string(error) + "\n");
    return "";
  }
  return face->family_name ? face->family_name : "";
}

void GetFontList_TTFFile(FT_Library library, const std::string& path, std::vector<std::string>* list) {
  const std::string name = GetFontList_TTFGetName(library, path);
  // A name the settings file could not hold (or that is not text) cannot be chosen.
  if (name.empty() || !IsValidUtf8(name) || !SettingsValueIsValid(name)) return;
  GetFontList_Insert(list, name);
}

void GetFontList_TTFDir(FT_Library library, const std::string& folder, std::vector<std::string>* list) {
  std::vector<std::string> subfolders;
  {
    DirPtr dir(opendir(folder.c_str()));
    if (!dir) {
      // A folder that does not exist is normal (few users have ~/.fonts).
      if (errno != ENOENT)
        DiagWarning("Error while opening directory " + std::string(folder.c_str()) + ", errno = " + std::to_string(errno) +
                    "\n");
      return;
    }
    while (const dirent* entry = readdir(dir.get())) {
      const std::string_view name = entry->d_name;
      if (name == "." || name == "..") continue;
      const std::string path = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + std::string(name);
      switch (KindOf(*entry, path)) {
        case EntryKind::kFile:
          if (IsFontFileName(name)) GetFontList_TTFFile(library, path, list);
          break;
        case EntryKind::kFolder:
          subfolders.push_back(path);
          break;
        case EntryKind::kOther:
          break;
      }
    }
  }
  // The folder is closed before its subfolders are opened.
  for (const std::string& sub : subfolders) GetFontList_TTFDir(library, sub, list);
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

}  // namespace

std::vector<std::string> FontFolders() {
  std::vector<std::string> folders = {"/usr/share/fonts", "/usr/local/share/fonts"};
  if (const char* home = std::getenv("HOME")) {
    std::string base = home;
    if (!base.empty() && base.back() != '/') base += '/';
    folders.push_back(base + ".fonts");
    folders.push_back(base + ".local/share/fonts");
  }
  return folders;
}

std::vector<std::string> GetFontList() { return GetFontList(FontFolders()); }

std::vector<std::string> GetFontList(const std::vector<std::string>& folders) {
  std::vector<std::string> list(1);  // the empty entry
  FreeType freetype;
  if (freetype.error() != 0) {
    DiagWarning("Initialization of FreeType library failed, error code " + std::to_string(freetype.error()) + "\n");
    return list;
  }
  for (const std::string& folder : folders) GetFontList_TTFDir(freetype.get(), folder, &list);
  return list;
}

void GetFontList_Insert(std::vector<std::string>* list, std::string_view name) {
  const auto pos = std::lower_bound(list->begin(), list->end(), name,
                                    [](const std::string& a, std::string_view b) { return std::string_view(a) < b; });
  if (pos != list->end() && *pos == name) return;
  list->insert(pos, std::string(name));
}

bool FontListContainsIgnoringCase(const std::vector<std::string>& list, std::string_view name) {
  return std::any_of(list.begin(), list.end(), [name](const std::string& entry) { return EqualIgnoringCase(entry, name); });
}
