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

// What ps_unicode_embed_font writes for `path`.
std::string Embedded(const std::string& path, bool* ok) {
  testenv::MemoryFile out;
  *ok = ps_unicode_embed_font(out.file(), "RTLFontA", path);
  return out.Text();
}

// Font names read and fonts embedded, as rows of tests/data/ps_font_files.tsv;
// a missing font embeds an empty resource and says so.
TEST(PsUnicodeFont, NamesAndEmbedding) {
  TempHome home;
  const std::string path = home.path() + "/font";
  bool ok = false;
  for (const auto& row : testenv::CaseRows("ps_font_files.tsv")) {
    WriteFile(path, row[0]);
    EXPECT_EQ(ps_unicode_get_font_name_from_file(path), row[1]) << row[0];
    EXPECT_EQ(Embedded(path, &ok), "%%BeginResource: font RTLFontA\n" + row[2] + "%%EndResource\n") << row[0];
    EXPECT_TRUE(ok || row[2].empty()) << row[0];
  }
  EXPECT_EQ(ps_unicode_get_font_name_from_file(path + ".missing"), "");
  EXPECT_EQ(Embedded(path + ".missing", &ok), "%%BeginResource: font RTLFontA\n%%EndResource\n");
  EXPECT_FALSE(ok);
}

}  // namespace
