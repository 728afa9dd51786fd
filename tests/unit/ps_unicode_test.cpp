// Hebrew text for PostScript: the encoding vector checked against the Adobe
// Glyph List and the culmus Hebrew font, the conversion to visual-order
// bytes (rows of tests/data/ps_hebrew_bytes.tsv), the font name reader and
// the font resource (rows of tests/data/ps_font_files.tsv).
#include "render/ps_text_encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "ps_output.h"
#include "test_env.h"

namespace {

// The Adobe Glyph List as ghostscript ships it: "/name 16#XXXX" lines.
constexpr const char* kGlyphList = "/usr/share/ghostscript/10.00.0/Resource/Init/gs_agl.ps";
constexpr const char* kCulmusAfm = "/usr/share/fonts/X11/Type1/AharoniCLM-Book.afm";

TEST(PsUnicodeEncoding, GlyphNamesNameTheirCharactersOfTheDefaultHebrewFont) {
  const std::string agl = testenv::ReadFile(kGlyphList), afm = testenv::ReadFile(kCulmusAfm);
  if (agl.empty() || afm.empty()) GTEST_SKIP() << kGlyphList << " (ghostscript) or " << kCulmusAfm << " (culmus) missing";
  std::map<std::string, uint32_t> list;
  for (const std::string& line : testenv::Lines(agl)) {
    char name[128];
    unsigned cp = 0;
    if (std::sscanf(line.c_str(), "/%127s 16#%x", name, &cp) == 2) list.emplace(name, cp);
  }
  ASSERT_GT(list.size(), 4000u);
  std::set<std::string> glyphs;  // "C 32 ; WX 250 ; N space ; ..."
  for (const std::string& line : testenv::Lines(afm)) {
    const size_t n = line.find("; N ");
    if (line.rfind("C ", 0) == 0 && n != std::string::npos) glyphs.insert(line.substr(n + 4, line.find(' ', n + 4) - n - 4));
  }
  std::set<int> codes;
  size_t rows = 0;
  for (auto* r = ps_unicode_encoding_begin(); r != ps_unicode_encoding_end(); ++r, ++rows) {
    const std::string name(r->name);
    // "uniXXXX" by the naming rule, others from the list.
    const uint32_t cp = name.size() == 7 && name.rfind("uni", 0) == 0 ? std::strtoul(name.c_str() + 3, nullptr, 16)
                        : list.count(name)                           ? list.at(name)
                                                                     : 0;
    EXPECT_EQ(cp, r->unicode) << name;
    EXPECT_TRUE(glyphs.count(name)) << name;
    EXPECT_TRUE(codes.insert(r->code).second) << "byte " << r->code << " used twice";
    EXPECT_TRUE(r->code >= 32 && r->code <= 250) << r->code;
  }
  EXPECT_EQ(rows, 138u);
}

// Text longer than the composition buffer prints nothing.
TEST(PsUnicodeConvert, VisualOrderBytes) {
  const auto rows = testenv::CaseRows("ps_hebrew_bytes.tsv");
  ASSERT_EQ(rows.size(), 12u);
  for (const auto& row : rows) {
    std::string hex;
    for (unsigned char c : ps_unicode_convert(row[0])) hex += "0123456789ABCDEF"[c >> 4], hex += "0123456789ABCDEF"[c & 15];
    EXPECT_EQ(hex, row[1]) << row[2];
  }
  std::string hebrew;
  for (int i = 0; i < 127; ++i) hebrew += "\u05D0";  // 254 bytes: fits
  EXPECT_EQ(ps_unicode_convert(hebrew).size(), 127u);
  EXPECT_EQ(ps_unicode_convert(hebrew + "A"), "");
}

// A missing font embeds an empty resource and says so.
TEST(PsUnicodeFont, NamesAndEmbedding) {
  testenv::TempHome home;
  const std::string path = home.path() + "/font";
  auto embedded = [](const std::string& file, bool* ok) {
    return testenv::Written([&](std::FILE* out) { *ok = ps_unicode_embed_font(out, "RTLFontA", file); });
  };
  bool ok = false;
  for (const auto& row : testenv::CaseRows("ps_font_files.tsv")) {
    testenv::WriteFile(path, row[0]);
    EXPECT_EQ(ps_unicode_get_font_name_from_file(path), row[1]) << row[0];
    EXPECT_EQ(embedded(path, &ok), "%%BeginResource: font RTLFontA\n" + row[2] + "%%EndResource\n") << row[0];
    EXPECT_TRUE(ok || row[2].empty()) << row[0];
  }
  EXPECT_EQ(ps_unicode_get_font_name_from_file(path + ".missing"), "");
  EXPECT_EQ(embedded(path + ".missing", &ok), "%%BeginResource: font RTLFontA\n%%EndResource\n");
  EXPECT_FALSE(ok);
}

}  // namespace
