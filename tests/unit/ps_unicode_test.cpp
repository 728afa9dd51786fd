// Hebrew text for PostScript: the encoding vector checked against the Adobe
// Glyph List and the culmus Hebrew font, the conversion to visual-order
// bytes, the font name reader and the font resource.
#include "render/ps_text_encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ps_output.h"
#include "base/settings.h"
#include "base/translate.h"
#include "suntimes_env.h"
#include "test_env.h"

namespace {

using testenv::ReadFile;
using testenv::TempHome;
using testenv::WriteFile;

// The Adobe Glyph List as ghostscript ships it: "/name 16#XXXX" lines.
constexpr const char* kGlyphList = "/usr/share/ghostscript/10.00.0/Resource/Init/gs_agl.ps";
constexpr const char* kCulmusAfm = "/usr/share/fonts/X11/Type1/AharoniCLM-Book.afm";

std::string Bytes(std::initializer_list<int> codes) {
  std::string s;
  for (int c : codes) s += static_cast<char>(c);
  return s;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Code point of a glyph name: "uniXXXX" by the naming rule, others from the list.
uint32_t CodePointOf(const std::string& name, const std::map<std::string, uint32_t>& list) {
  if (name.size() == 7 && name.rfind("uni", 0) == 0) return static_cast<uint32_t>(std::strtoul(name.c_str() + 3, nullptr, 16));
  const auto it = list.find(name);
  return it == list.end() ? 0 : it->second;
}

TEST(PsUnicodeEncoding, GlyphNamesNameTheirCharacters) {
  const std::string agl = ReadFile(kGlyphList);
  if (agl.empty()) GTEST_SKIP() << "ghostscript's glyph list " << kGlyphList << " is not installed";
  std::map<std::string, uint32_t> list;
  for (const std::string& line : Lines(agl)) {
    char name[128];
    unsigned cp = 0;
    if (std::sscanf(line.c_str(), "/%127s 16#%x", name, &cp) == 2) list.emplace(name, cp);
  }
  ASSERT_GT(list.size(), 4000u);

  std::set<int> codes;
  size_t rows = 0;
  for (auto* r = ps_unicode_encoding_begin(); r != ps_unicode_encoding_end(); ++r, ++rows) {
    const std::string name(r->name);
    EXPECT_EQ(CodePointOf(name, list), r->unicode) << name;
    EXPECT_TRUE(codes.insert(r->code).second) << "byte " << r->code << " used twice";
    EXPECT_GE(r->code, 32);
    EXPECT_LE(r->code, 250);
  }
  EXPECT_EQ(rows, 138u);
}

TEST(PsUnicodeEncoding, EveryGlyphIsInTheDefaultHebrewFont) {
  const std::string afm = ReadFile(kCulmusAfm);
  if (afm.empty()) GTEST_SKIP() << kCulmusAfm << " is missing (package culmus)";
  std::set<std::string> glyphs;
  for (const std::string& line : Lines(afm)) {
    const size_t n = line.find("; N ");
    if (line.rfind("C ", 0) != 0 || n == std::string::npos) continue;
    const size_t end = line.find(' ', n + 4);
    glyphs.insert(line.substr(n + 4, end - n - 4));
  }
  for (auto* r = ps_unicode_encoding_begin(); r != ps_unicode_encoding_end(); ++r)
    EXPECT_TRUE(glyphs.count(std::string(r->name))) << r->name;
}

class PsUnicodeConvert : public ::testing::Test {
 protected:
  PsUnicodeConvert() {
    settingsReset();
    translate_init("");
  }
  ~PsUnicodeConvert() override { translate_done(); }
  TempHome home_;
};

TEST_F(PsUnicodeConvert, VisualOrderBytes) {
  const auto rows = testenv::CaseRows("ps_hebrew_bytes.tsv");
  ASSERT_EQ(rows.size(), 12u);
  for (const auto& row : rows) {
    std::string hex;
    for (unsigned char c : ps_unicode_convert(row[0])) hex += "0123456789ABCDEF"[c >> 4], hex += "0123456789ABCDEF"[c & 15];
    EXPECT_EQ(hex, row[1]) << row[2];
  }
}

TEST_F(PsUnicodeConvert, TextLongerThanTheCompositionBufferPrintsNothing) {
  std::string hebrew;
  for (int i = 0; i < 127; ++i) hebrew += "\u05D0";  // 254 bytes: fits
  EXPECT_EQ(ps_unicode_convert(hebrew).size(), 127u);
  EXPECT_EQ(ps_unicode_convert(hebrew + "A"), "");
}

TEST(PsUnicodeFontName, ReadsTheWordAfterFontName) {
  TempHome home;
  const std::string path = home.path() + "/font.pfa";
  struct Case {
    const char* content;
    const char* expected;
  } cases[] = {
      {"%!PS-AdobeFont-1.0: X\n/FontName /TestFont def\n", "TestFont"},
      {"/FontName (NotAName) def\n", ""},
      {"/FamilyName /Nope def\n", ""},
  };
  for (const Case& c : cases) {
    WriteFile(path, c.content);
    EXPECT_EQ(ps_unicode_get_font_name_from_file(path), c.expected) << c.content;
  }
  EXPECT_EQ(ps_unicode_get_font_name_from_file(home.path() + "/missing.pfa"), "");
}

// What ps_unicode_embed_font writes for `path`.
std::string Embedded(const std::string& path, bool* ok = nullptr) {
  testenv::MemoryFile out;
  const bool written = ps_unicode_embed_font(out.file(), "RTLFontA", path);
  if (ok) *ok = written;
  return out.Text();
}

TEST(PsUnicodeEmbed, FontResource) {
  TempHome home;
  const std::string path = home.path() + "/font";
  // A segment of a binary (PFB) font: 0x80, its type, its length in four bytes little-endian.
  auto segment = [](int type, const std::string& body) {
    const int n = static_cast<int>(body.size());
    return Bytes({0x80, type, n & 0xFF, (n >> 8) & 0xFF, (n >> 16) & 0xFF, n >> 24}) + body;
  };
  const std::pair<std::string, std::string> cases[] = {
      {"/FontName /F def\n{restore}if\n", "/FontName /F def\n{restore}if\n"},
      {"/FontName /F def\n{restore}if", "/FontName /F def\n{restore}if\n"},  // the end comment on a line of its own
      {segment(1, "/FontName /F def\ncurrentfile eexec\n") + segment(2, Bytes({0x00, 0x7F, 0x80, 0xFF, '(', ')'})) +
           segment(1, "cleartomark") + Bytes({0x80, 3}),
       "/FontName /F def\ncurrentfile eexec\n007f80ff2829\ncleartomark\n"},  // binary parts as hexadecimal text
      {segment(1, "/FontName /F def\n").substr(0, 10), ""},                 // broken segments
  };
  for (const auto& [font, body] : cases) {
    WriteFile(path, font);
    EXPECT_EQ(Embedded(path), "%%BeginResource: font RTLFontA\n" + body + "%%EndResource\n");
  }
  bool ok = false;
  EXPECT_EQ(Embedded(path + ".missing", &ok), "%%BeginResource: font RTLFontA\n%%EndResource\n");
  EXPECT_FALSE(ok);
  WriteFile(path, cases[0].first);
  Embedded(path, &ok);
  EXPECT_TRUE(ok);
}

}  // namespace
