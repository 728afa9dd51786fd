// The PostScript backend: header, colours and fonts written only when they
// change, the top-down to PostScript coordinate transform, string escaping,
// and Yiddish text through the embedded re-encoded font.
#include "compose/current_options.h"
#include "render/drawing_ps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ps_output.h"
#include "render/font_book.h"
#include "render/ps_text_encoding.h"
#include "base/settings.h"
#include "base/translate.h"
#include "test_env.h"

namespace {

using Lines = std::vector<std::string>;

class DrawingPsTest : public ::testing::Test {
 protected:
  DrawingPsTest() { settingsReset(); }
  ~DrawingPsTest() override {
    translate_done();
    settingsReset();
  }

  // What `draw` writes on a fresh page, after the five header lines.
  static Lines Drawn(const std::function<void(Drawing&)>& draw, int color = 1, int width = 612, int height = 792) {
    testenv::MemoryFile out;
    DrawingPtr d = drawing_ps_new(out.file(), width, height, color, CurrentOptions());
    draw(*d);
    Lines lines = out.Lines();
    lines.erase(lines.begin(), lines.begin() + static_cast<long>(std::min<size_t>(5, lines.size())));
    return lines;
  }
  void UseYiddishFont() {
    setLanguage(kLanguageYiddish);
    translate_init("");
    testenv::WriteFile(home_.path() + "/yi.pfa", "%!PS-AdobeFont-1.0: TestYi\n/FontName /TestYi def\n{restore}if");
    setPrintYiddishFontFile(home_.path() + "/yi.pfa");
  }

  testenv::TempHome home_;
};

TEST_F(DrawingPsTest, HeaderAndFooter) {
  const int pages[][3] = {{595, 841, 0}, {841, 595, 1}, {600, 600, 1}};
  for (const auto& [width, height, orientation] : pages) {
    testenv::MemoryFile out;
    drawing_ps_new(out.file(), width, height, 1, CurrentOptions()).reset();
    const std::string w = std::to_string(width), h = std::to_string(height);
    EXPECT_EQ(out.Lines(), (Lines{"%!PS-Adobe-3.0", "%%BoundingBox: 0 0 " + w + " " + h, "%%EndComments",
                                  "3 dict dup /PageSize [" + w + " " + h +
                                      "] put dup /ImagingBBox null put dup /Orientation " +
                                      std::to_string(orientation) + " put setpagedevice",
                                  "/DeviceRGB setcolorspace", "showpage"}));
  }
}

TEST_F(DrawingPsTest, ColoursAreWrittenOnlyWhenTheyChange) {
  const auto setAll = [](Drawing& d) {
    DrawingColor now;
    d.get_color(&now);
    EXPECT_TRUE(d.get_color_mode() != kColorModeColor || now == (DrawingColor{-1, -1, -1}));  // nothing set yet
    const DrawingColor colours[] = {{65535, 0, 0}, {65535, 0, 0}, {0, 0, 65535}, {65535, 65535, 65535}, {53248, 53248, 53248}};
    for (const DrawingColor& c : colours) d.set_color(c);
  };
  EXPECT_EQ(Drawn(setAll), (Lines{"1.000 0.000 0.000 setrgbcolor", "0.000 0.000 1.000 setrgbcolor",
                                  "1.000 1.000 1.000 setrgbcolor", "0.813 0.813 0.813 setrgbcolor"}));
  // Black and white: everything but white is black.
  EXPECT_EQ(Drawn(setAll, 0), (Lines{"0.000 0.000 0.000 setrgbcolor", "1.000 1.000 1.000 setrgbcolor",
                                     "0.000 0.000 0.000 setrgbcolor"}));
  testenv::CommaLocale locale;
  if (!locale.available()) GTEST_SKIP() << "no locale with a decimal comma (scripts/install-deps.sh makes de_DE.UTF-8)";
  EXPECT_EQ(Drawn([](Drawing& d) { d.set_color({32768, 32768, 32768}); }), Lines{"0.500 0.500 0.500 setrgbcolor"});
}

TEST_F(DrawingPsTest, FontsAreSelectedOncePerRecord) {
  EXPECT_EQ(Drawn([](Drawing& d) {
              const DrawingFont bold = d.use_font("helvetica", 16, "bold", "r");
              const DrawingFont sameContent = d.use_font("helvetica", 16, "bold", "r");
              EXPECT_EQ(d.get_text_height(bold), 13);
              for (DrawingFont f : {bold, bold, sameContent}) d.draw_string_left(f, 0, 0, "a");
            }),
            (Lines{"/Helvetica-Bold 10 selectfont", "0 782 moveto (a) show", "0 782 moveto (a) show",
                   "/Helvetica-Bold 10 selectfont", "0 782 moveto (a) show"}));
  struct Case {
    const char* family;
    int size;
    const char* weight;
    const char* selected;
    int height;
  } cases[] = {
      {"courier", 20, "bold", "/Courier-Bold 14 selectfont", 17},
      {"times", 12, "bold", "/Helvetica-Bold 6 selectfont", 9},  // other families print as Helvetica
      {"helvetica", 6, "medium", "/Helvetica 1 selectfont", 4},  // never below 1 point
  };
  for (const Case& c : cases) {
    const Lines body = Drawn([&](Drawing& d) {
      const DrawingFont f = d.use_font(c.family, c.size, c.weight, "r");
      EXPECT_EQ(d.get_text_height(f), c.height) << c.family << " " << c.size;
      d.draw_string_left(f, 0, 0, "x");
    });
    EXPECT_EQ(body.at(0), c.selected);
  }
}

TEST_F(DrawingPsTest, TopDownCoordinatesBecomePostScriptCoordinates) {
  const Lines body = Drawn(
      [](Drawing& d) {
        const DrawingFont f = d.use_font("helvetica", 16, "medium", "r");  // 10 points on paper
        d.draw_rectangle(10, 20, 100, 50);
        d.fill_rectangle(10, 20, 100, 50);
        d.draw_line(0, 0, 100, 841);
        d.draw_string_left(f, 30, 100, "Hi");
        d.draw_string_right(f, 200, 100, "Hi");
        d.draw_string_center(f, 30, 101, 100, "Hi");
        d.draw_ellipse_text_right(f, 100, 50, "Hi");
      },
      1, 595, 841);
  EXPECT_EQ(body, (Lines{
                      "10 771 100 50 rectstroke",
                      "10 771 100 50 rectfill",
                      "newpath 0 841 moveto 100 0 lineto stroke",
                      "/Helvetica 10 selectfont",
                      // The top of the line at y = 100: baseline 841 - 100 - 10.
                      "30 731 moveto (Hi) show",
                      "200 (Hi) stringwidth pop sub 731 moveto (Hi) show",
                      "30 50 (Hi) stringwidth pop 2 div sub add 731 moveto (Hi) show",
                      "newpath",
                      "  100 (Hi) stringwidth pop 2 div sub",
                      "  786 1 sub",
                      "  (Hi) stringwidth pop 2 div 3 add",
                      "  dup 5 1 add lt { pop 5 1 add } if",
                      "  0 360 arc stroke",
                  }));
}

TEST_F(DrawingPsTest, DeviceAnswers) {
  testing::internal::CaptureStderr();
  const Lines body = Drawn([](Drawing& d) {
    EXPECT_EQ(d.get_x_unit(3), 12);
    EXPECT_EQ(d.get_device_class(), kDevicePrinter);
    const DrawingPoint triangle[3] = {{0, 0}, {10, 0}, {5, 5}};
    d.fill_polygon(triangle, 3);
    d.fill_polygon(triangle, 3);
  });
  // One warning per page, however often the painter asks.
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "*** WARNING ***: drawing_ps_fill_polygon: Not implemented\n");
  EXPECT_TRUE(body.empty());
}

// Widths are those the printer shows: Helvetica's published metrics (H 722,
// e 556, l 222, o 556, the apostrophe 222 thousandths of the size; bold: l
// 278, o 611, the apostrophe 278), rounded up, for the size written to the
// page (16 asked for is 10 points). Courier is 600 thousandths throughout.
TEST_F(DrawingPsTest, TextWidthsAreThePrintersWithoutWarnings) {
  testing::internal::CaptureStderr();
  Drawn([](Drawing& d) {
    const DrawingFont regular = d.use_font("helvetica", 16, "medium", "r");
    const DrawingFont bold = d.use_font("helvetica", 16, "bold", "r");
    const DrawingFont large = d.use_font("helvetica", 106, "medium", "r");
    const DrawingFont courier = d.use_font("courier", 16, "medium", "r");
    EXPECT_EQ(d.get_text_width(regular, "Hello"), 23);  // 2278 / 100
    EXPECT_EQ(d.get_text_width(bold, "Hello"), 25);     // 2445 / 100
    EXPECT_EQ(d.get_text_width(large, "Hello"), 228);   // 2278 at 100 points
    EXPECT_EQ(d.get_text_width(large, "l'l"), 67);      // 666 at 100 points
    EXPECT_EQ(d.get_text_width(courier, "Hello"), 30);
    EXPECT_EQ(d.get_text_width(regular, ""), 0);
  });
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// A line fitted to its cell on paper takes the largest size that fits:
// "1st Rosh Khodesh" is 8171 thousandths wide in Helvetica, 65.4 points at
// 8 points (asked for as 14) and 73.5 at 9, for 69 points of room.
TEST_F(DrawingPsTest, ALineOnPaperShrinksToTheLargestSizeThatFits) {
  Drawn([](Drawing& d) {
    FontSizeSet sizes;
    FontSize_GetDefault(&sizes, false, true);
    FontBook fonts(d, sizes, 12);
    const FittedText fit = FitTextToWidth(fonts, kFontImportant2, 16, 12, "1st Rosh Khodesh", 69, "...");
    EXPECT_FALSE(fit.cut);
    EXPECT_EQ(fit.size, 14);
    EXPECT_EQ(fit.width, 66);
  });
}

// In Yiddish the widths are the embedded print font's, for the bytes the
// text is shown with: alef 485 and bet 511 thousandths in culmus Aharoni
// (its .afm file), at 100 points.
TEST_F(DrawingPsTest, YiddishWidthsComeFromThePrintFont) {
  const std::string aharoni = "/usr/share/fonts/X11/Type1/AharoniCLM-Book.pfa";
  if (!std::filesystem::exists(aharoni)) GTEST_SKIP() << "culmus is not installed";
  setLanguage(kLanguageYiddish);
  translate_init("");
  setPrintYiddishFontFile(aharoni);
  Drawn([](Drawing& d) {
    const DrawingFont f = d.use_font("helvetica", 106, "medium", "r");
    EXPECT_EQ(d.get_text_width(f, "\u05D0"), 49);
    EXPECT_EQ(d.get_text_width(f, "\u05D0\u05D1\u05D0"), 149);
  });
}

TEST_F(DrawingPsTest, StringsAreEscaped) {
  const std::pair<std::string, std::string> cases[] = {
      {"a) b( c\\d", "a\\) b\\( c\\\\d"},
      {std::string("tab\tline\nnul", 12) + '\0', "tab\\011line\\012nul\\000"},
      {"\xD7\x90\x7F", "\xD7\x90\\177"},
  };
  for (const auto& [text, literal] : cases) EXPECT_EQ(drawing_ps_escape(text), literal);
  EXPECT_EQ(Drawn([](Drawing& d) { d.draw_string_left(d.use_font("helvetica", 16, "medium", "r"), 0, 0, ":-)"); }).back(),
            "0 782 moveto (:-\\)) show");
}

TEST_F(DrawingPsTest, YiddishHeaderEmbedsAndReencodesTheFont) {
  UseYiddishFont();
  testenv::MemoryFile out;
  drawing_ps_new(out.file(), 612, 792, 1, CurrentOptions()).reset();
  const std::string text = out.Text();
  // After the usual header: the font, the encoding vector, the procedure and its use, and the page end.
  ASSERT_NE(text.find("/DeviceRGB setcolorspace\n%%BeginResource: font RTLFontA\n%!PS-AdobeFont-1.0: TestYi\n"
                      "/FontName /TestYi def\n{restore}if\n%%EndResource\n\n/UnicodeEncoding 256 array def\n"),
            std::string::npos)
      << text;
  const std::string end = "\n} def\n\n/TestYi /RTLFontB UnicodeEncoding ReEncode\n\nshowpage\n";
  EXPECT_LT(text.find("\npop\n\n/ReEncodeDict 5 dict def\n/ReEncode\n"), text.size() - end.size());
  EXPECT_EQ(text.substr(text.size() - end.size()), end);
}

TEST_F(DrawingPsTest, YiddishTextGoesThroughTheReencodedFont) {
  UseYiddishFont();
  testenv::MemoryFile out;
  DrawingPtr d = drawing_ps_new(out.file(), 612, 792, 1, CurrentOptions());
  const DrawingFont courier = d->use_font("courier", 16, "bold", "r");
  const DrawingFont helvetica = d->use_font("helvetica", 14, "medium", "r");
  const size_t header = out.Lines().size();
  d->draw_string_left(courier, 0, 0, "\u05D0\u05D1\u05D2");
  d->draw_string_center(helvetica, 0, 100, 0, "(\u05E9\u05D1\u05EA)");
  d->draw_string_right(helvetica, 100, 0, "10:00");
  const Lines lines = out.Lines();
  EXPECT_EQ(Lines(lines.begin() + static_cast<long>(header), lines.end()),
            (Lines{
                "/RTLFontB 10 selectfont",
                "0 782 moveto (\xE2\xE1\xE0) show",
                "/RTLFontB 8 selectfont",
                // Mirrored parentheses around the right-to-left word, escaped.
                "0 50 (\\(\xFA\xE1\xF9\\)) stringwidth pop 2 div sub add 784 moveto (\\(\xFA\xE1\xF9\\)) show",
                "100 (10:00) stringwidth pop sub 784 moveto (10:00) show",
            }));
}

// An English page with Hebrew numerals embeds the Hebrew font and shows in
// it only the texts in Hebrew letters; the font is selected again whenever
// a text changes between the two.
TEST_F(DrawingPsTest, EnglishPageShowsHebrewNumeralsInTheHebrewFont) {
  UseYiddishFont();
  setLanguage(kLanguageEnglish);
  setHebrewNumerals(kHebrewNumeralsOn);
  testenv::MemoryFile out;
  DrawingPtr d = drawing_ps_new(out.file(), 612, 792, 1, CurrentOptions());
  EXPECT_NE(out.Text().find("/TestYi /RTLFontB UnicodeEncoding ReEncode\n"), std::string::npos);
  const DrawingFont numbers = d->use_font("helvetica", 16, "medium", "r");
  const size_t header = out.Lines().size();
  d->draw_string_left(numbers, 0, 0, "13");
  d->draw_string_right(numbers, 100, 0, "\u05D8\u05F4\u05D5");  // ט״ו
  d->draw_string_right(numbers, 200, 0, "\u05D8\u05F4\u05D6");  // ט״ז, the font already selected
  d->draw_string_left(numbers, 0, 20, "14");
  const Lines lines = out.Lines();
  EXPECT_EQ(Lines(lines.begin() + static_cast<long>(header), lines.end()),
            (Lines{
                "/Helvetica 10 selectfont",
                "0 782 moveto (13) show",
                "/RTLFontB 10 selectfont",
                "100 (\xE5\xD6\xE8) stringwidth pop sub 782 moveto (\xE5\xD6\xE8) show",
                "200 (\xE6\xD6\xE8) stringwidth pop sub 782 moveto (\xE6\xD6\xE8) show",
                "/Helvetica 10 selectfont",
                "0 762 moveto (14) show",
            }));

  // Without numerals the English page is as it always was: no Hebrew font.
  setHebrewNumerals(kHebrewNumeralsOff);
  testenv::MemoryFile plain;
  drawing_ps_new(plain.file(), 612, 792, 1, CurrentOptions()).reset();
  EXPECT_EQ(plain.Text().find("RTLFont"), std::string::npos);
}

TEST(PsUnicodeHasHebrew, LettersPointsMarksAndPresentationForms) {
  const std::pair<const char*, bool> cases[] = {
      {"", false},           {"October 2024", false},  {"\u05D0", true},         {"25 \u05DB\u05F4\u05D4", true},
      {"\u05F3", true},      {"\u05B7", true},         {"\uFB2F", true},         {"\uFB1C", false},
      {"\u0590", true},      {"\u05FF", true},         {"\u0600", false},        {"\u058F", false},
      {"\xD7", false},       {"\xD7\x90\xFF", true},   {"Z\u00FCrich", false},  {"\U0001F600", false},
  };
  for (const auto& [text, hebrew] : cases) EXPECT_EQ(ps_unicode_has_hebrew(text), hebrew) << text;
}

}  // namespace
