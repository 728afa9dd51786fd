// PostScript output: the pages a fixed set of drawing calls writes in
// colour, in black and white, in Yiddish through the embedded re-encoded
// font, and in English with Hebrew numerals, against a reviewed golden file;
// text widths from the Adobe metrics, string escaping, lines fitted to a
// width (rows of tests/data/ps_text_cases.tsv). Hebrew text: the encoding
// vector checked against the Adobe Glyph List and the culmus Hebrew font,
// the visual-order bytes (rows of tests/data/ps_hebrew_bytes.tsv), font names
// and resources (rows of tests/data/ps_font_files.tsv).
#include "render/drawing_ps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "base/settings.h"
#include "base/translate.h"
#include "compose/current_options.h"
#include "ps_output.h"
#include "render/font_book.h"
#include "render/ps_text_encoding.h"
#include "test_env.h"

namespace {

// A page with every kind of drawing call: colours set twice, fonts of each
// family and size, shapes, the four string placements, a ')' to escape,
// Hebrew letters, a polygon twice.
std::string Page(const Options& o, int width, int height, int color) {
  return testenv::Written([&](std::FILE* out) {
    DrawingPtr p = drawing_ps_new(out, width, height, color, o);
    Drawing& d = *p;
    for (const DrawingColor& c : {DrawingColor{65535, 0, 0}, DrawingColor{65535, 0, 0}, DrawingColor{0, 0, 65535},
                                  DrawingColor{65535, 65535, 65535}, DrawingColor{53248, 53248, 53248}})
      d.set_color(c);
    const DrawingFont bold = d.use_font("helvetica", 16, "bold", "r");
    const DrawingFont sameContent = d.use_font("helvetica", 16, "bold", "r");
    for (DrawingFont f : {bold, bold, sameContent}) d.draw_string_left(f, 0, 0, "a");
    for (const auto& [family, size, weight] :
         {std::tuple{"courier", 20, "bold"}, {"times", 12, "bold"}, {"helvetica", 6, "medium"}}) {
      const DrawingFont g = d.use_font(family, size, weight, "r");
      d.draw_string_left(g, 0, 0, std::to_string(d.get_text_height(g)));  // the height shown
    }
    const DrawingFont f = d.use_font("helvetica", 16, "medium", "r");
    d.draw_rectangle(10, 20, 100, 50);
    d.fill_rectangle(10, 20, 100, 50);
    d.draw_line(0, 0, 100, 841);
    d.draw_string_left(f, 30, 100, ":-)");
    d.draw_string_right(f, 200, 100, "Hi");
    d.draw_string_center(f, 30, 101, 100, "Hi");
    d.draw_ellipse_text_right(f, 100, 50, "Hi");
    d.draw_string_left(f, 0, 0, "13");
    d.draw_string_right(f, 100, 0, "\u05D8\u05F4\u05D5");
    d.draw_string_right(f, 200, 0, "\u05D8\u05F4\u05D6");
    d.draw_string_center(f, 0, 100, 0, "(\u05E9\u05D1\u05EA)");
    d.draw_string_left(f, 0, 20, "14");
    const DrawingPoint triangle[3] = {{0, 0}, {10, 0}, {5, 5}};
    d.fill_polygon(triangle, 3);
    d.fill_polygon(triangle, 3);
    d.draw_string_left(f, 0, 0, std::to_string(d.get_x_unit(3)) + " " + std::to_string(d.get_device_class()));
  });
}

// The pages without warnings but one per page for the polygon, however
// often the painter asks; decimal points whatever the locale; then the text
// cases without warnings.
TEST(DrawingPs, PagesAsReviewedAndTextCases) {
  testenv::TempHome home;
  settingsReset();
  Options o = CurrentOptions();
  testing::internal::CaptureStderr();
  std::string pages = "=== English, colour, A4 portrait\n" + Page(o, 595, 841, 1);
  pages += "=== English, black and white, landscape\n" + Page(o, 841, 595, 0);
  o.text.language = kLanguageYiddish;
  o.times.clock.rightToLeft = true;
  o.text.hebrewNumerals = HebrewNumeralsFor(kHebrewNumeralsByLanguage, kLanguageYiddish);
  translate_init("");
  testenv::WriteFile(home.path() + "/yi.pfa", "%!PS-AdobeFont-1.0: TestYi\n/FontName /TestYi def\n{restore}if");
  o.look.printFontFile = home.path() + "/yi.pfa";
  pages += "=== Yiddish\n" + Page(o, 612, 792, 1);
  o.text.language = kLanguageEnglish;
  o.times.clock.rightToLeft = false;
  o.text.hebrewNumerals = true;
  pages += "=== English with Hebrew numerals\n" + Page(o, 612, 792, 1);
  std::string fourWarnings;
  for (int i = 0; i < 4; ++i) fourWarnings += "*** WARNING ***: drawing_ps_fill_polygon: Not implemented\n";
  EXPECT_EQ(testing::internal::GetCapturedStderr(), fourWarnings);
  testenv::ExpectGolden("drawing_ps.txt", pages);
  translate_done();
  o.text.hebrewNumerals = false;
  const bool comma = testenv::UseCommaLocale();
  const std::string grey = testenv::Written([&](std::FILE* out) {
    drawing_ps_new(out, 612, 792, 1, o)->set_color({32768, 32768, 32768});
  });
  std::setlocale(LC_ALL, "C");
  EXPECT_TRUE(!comma || grey.find("\n0.500 0.500 0.500 setrgbcolor\n") != std::string::npos) << grey;
  testing::internal::CaptureStderr();
  testenv::Written([&](std::FILE* out) {
    DrawingPtr d = drawing_ps_new(out, 612, 792, 1, o);
    FontSizeSet sizes;
    FontSize_GetDefault(&sizes, false, true);
    FontBook fonts(*d, sizes, 12);
    for (const auto& row : testenv::CaseRows("ps_text_cases.tsv")) {
      std::istringstream font(row[1]);
      std::string family, weight;
      int size = 0;
      font >> family >> size >> weight;
      if (row[0] == "width") {
        EXPECT_EQ(d->get_text_width(d->use_font(family, size, weight, "r"), row[2]), std::stoi(row[3]))
            << row[1] << row[2];
      } else if (row[0] == "escape") {
        EXPECT_EQ(drawing_ps_escape(row[1]), row[2]);
      } else if (row[0] == "hebrew") {
        EXPECT_EQ(ps_unicode_has_hebrew(row[1]), row[2] == "1") << row[1];
      } else {
        const FittedText fit = FitTextToWidth(fonts, kFontImportant2, 16, 12, row[2], std::stoi(row[1]), "...");
        EXPECT_EQ(std::to_string(fit.size) + " " + std::to_string(fit.width) + (fit.cut ? " cut" : ""), row[3])
            << row[1];
      }
    }
  });
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  settingsReset();
}

// The Adobe Glyph List as ghostscript ships it: "/name 16#XXXX" lines.
constexpr const char* kGlyphList = "/usr/share/ghostscript/10.00.0/Resource/Init/gs_agl.ps";
constexpr const char* kCulmusAfm = "/usr/share/fonts/X11/Type1/AharoniCLM-Book.afm";

TEST(PsUnicode, GlyphNamesNameTheirCharactersOfTheDefaultHebrewFont) {
  const std::string agl = testenv::ReadFile(kGlyphList), afm = testenv::ReadFile(kCulmusAfm);
  if (agl.empty() || afm.empty())
    GTEST_SKIP() << kGlyphList << " (ghostscript) or " << kCulmusAfm << " (culmus) missing";
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
    if (line.rfind("C ", 0) == 0 && n != std::string::npos)
      glyphs.insert(line.substr(n + 4, line.find(' ', n + 4) - n - 4));
  }
  std::set<int> codes;
  EXPECT_EQ(ps_unicode_encoding_end() - ps_unicode_encoding_begin(), 138);
  for (auto* r = ps_unicode_encoding_begin(); r != ps_unicode_encoding_end(); ++r) {
    const std::string name(r->name);
    // "uniXXXX" by the naming rule, others from the list.
    const uint32_t cp = name.size() == 7 && name.rfind("uni", 0) == 0 ? std::strtoul(name.c_str() + 3, nullptr, 16)
                        : list.count(name)                            ? list.at(name)
                                                                      : 0;
    EXPECT_EQ(cp, r->unicode) << name;
    EXPECT_TRUE(glyphs.count(name)) << name;
    EXPECT_TRUE(codes.insert(r->code).second) << "byte " << r->code << " used twice";
    EXPECT_TRUE(r->code >= 32 && r->code <= 250) << r->code;
  }
}

// Text longer than the composition buffer prints nothing. A missing font
// embeds an empty resource and says so.
TEST(PsUnicode, VisualOrderBytesAndFonts) {
  const auto rows = testenv::CaseRows("ps_hebrew_bytes.tsv");
  ASSERT_EQ(rows.size(), 12u);
  for (const auto& row : rows) {
    std::string hex;
    for (unsigned char c : ps_unicode_convert(row[0])) {
      hex += "0123456789ABCDEF"[c >> 4];
      hex += "0123456789ABCDEF"[c & 15];
    }
    EXPECT_EQ(hex, row[1]) << row[2];
  }
  std::string hebrew;
  for (int i = 0; i < 127; ++i) hebrew += "\u05D0";  // 254 bytes: fits
  EXPECT_EQ(ps_unicode_convert(hebrew).size(), 127u);
  EXPECT_EQ(ps_unicode_convert(hebrew + "A"), "");
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
