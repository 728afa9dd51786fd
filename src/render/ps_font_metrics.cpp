#include "render/ps_font_metrics.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>
#include <memory>

#include "render/ps_text_encoding.h"

namespace {

// A code without a glyph, or a font that cannot be read: about the width of
// a digit in a sans-serif font.
constexpr int kEstimatedAdvance = 556;

struct LibraryCloser {
  void operator()(FT_Library l) const {
    if (l) FT_Done_FreeType(l);
  }
};
struct FaceCloser {
  void operator()(FT_Face f) const {
    if (f) FT_Done_Face(f);
  }
};
using LibraryPtr = std::unique_ptr<FT_LibraryRec_, LibraryCloser>;
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceCloser>;

// Glyph names of Helvetica's standard encoding for the codes 32..126: the
// ASCII names but for the two quotes.
std::string_view StandardEncodingName(int code) {
  static constexpr std::string_view kNames[95] = {
      "space", "exclam", "quotedbl", "numbersign", "dollar", "percent", "ampersand", "quoteright",  // 32..39
      "parenleft", "parenright", "asterisk", "plus", "comma", "hyphen", "period", "slash",          // 40..47
      "zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine",               // 48..57
      "colon", "semicolon", "less", "equal", "greater", "question", "at",                          // 58..64
      "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",                              // 65..77
      "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",                              // 78..90
      "bracketleft", "backslash", "bracketright", "asciicircum", "underscore", "quoteleft",         // 91..96
      "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",                              // 97..109
      "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z",                              // 110..122
      "braceleft", "bar", "braceright", "asciitilde",                                              // 123..126
  };
  return code >= 32 && code <= 126 ? kNames[code - 32] : std::string_view();
}

std::string_view HebrewEncodingName(int code) {
  for (const PSUnicodeEncodingRow* r = ps_unicode_encoding_begin(); r != ps_unicode_encoding_end(); ++r)
    if (r->code == code) return r->name;
  return {};
}

}  // namespace

PsFontMetrics PsFontMetricsFromFile(const std::string& path,
                                    const std::function<std::string_view(int code)>& nameOf) {
  PsFontMetrics m;
  m.advance.fill(kEstimatedAdvance);
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return m;
  const LibraryPtr libraryOwner(library);
  FT_Face face = nullptr;
  if (FT_New_Face(library, path.c_str(), 0, &face) != 0) return m;
  const FacePtr faceOwner(face);
  if (!FT_HAS_GLYPH_NAMES(face) || face->units_per_EM == 0) return m;
  m.fromFile = true;
  for (int code = 0; code < 256; ++code) {
    const std::string name(nameOf(code));
    if (name.empty()) continue;
    const FT_UInt index = FT_Get_Name_Index(face, name.c_str());
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0) continue;
    m.advance[static_cast<size_t>(code)] =
        static_cast<int>((face->glyph->metrics.horiAdvance * 1000 + face->units_per_EM / 2) / face->units_per_EM);
  }
  return m;
}

const PsFontMetrics& PsLatinMetrics(bool bold) {
  static const PsFontMetrics regular = PsFontMetricsFromFile(kPsLatinFontFile, StandardEncodingName);
  static const PsFontMetrics boldMetrics = PsFontMetricsFromFile(kPsLatinBoldFontFile, StandardEncodingName);
  return bold ? boldMetrics : regular;
}

const PsFontMetrics& PsHebrewMetrics(const std::string& fontFile) {
  static std::map<std::string, PsFontMetrics> cache;
  auto it = cache.find(fontFile);
  if (it == cache.end()) it = cache.emplace(fontFile, PsFontMetricsFromFile(fontFile, HebrewEncodingName)).first;
  return it->second;
}

int PsTextWidth(const PsFontMetrics& metrics, int size, std::string_view shown) {
  long long sum = 0;
  for (const char c : shown) sum += metrics.advance[static_cast<unsigned char>(c)];
  return static_cast<int>((sum * size + 999) / 1000);
}
