// The PostScript backend: header, colours and fonts written only when they
// change, the top-down to PostScript coordinate transform, string escaping,
// and Yiddish text through the embedded re-encoded font.
#include "render/drawing_ps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ps_output.h"
#include "storage/settings.h"
#include "storage/translate.h"
#include "test_env.h"

namespace {

using testenv::CommaLocale;
using testenv::MemoryFile;
using testenv::TempHome;

std::vector<std::string> Without(std::vector<std::string> lines, size_t headerLines) {
  lines.erase(lines.begin(), lines.begin() + static_cast<long>(std::min(headerLines, lines.size())));
  return lines;
}

constexpr size_t kHeaderLines = 5;

class DrawingPsTest : public ::testing::Test {
 protected:
  DrawingPsTest() { settingsReset(); }
  // The lines a drawing wrote after its header.
  std::vector<std::string> Body() { return Without(out_.Lines(), kHeaderLines); }
  DrawingPtr New(int width, int height, int color = 1) { return drawing_ps_new(out_.file(), width, height, color); }

  TempHome home_;
  MemoryFile out_;
};

TEST_F(DrawingPsTest, HeaderAndFooter) {
  struct Case {
    int width, height, orientation;
  } cases[] = {{595, 841, 0}, {841, 595, 1}, {600, 600, 1}};
  for (const Case& c : cases) {
    MemoryFile out;
    DrawingPtr d = drawing_ps_new(out.file(), c.width, c.height, 1);
    drawing_ps_free(d);
    const std::string w = std::to_string(c.width), h = std::to_string(c.height);
    EXPECT_EQ(out.Lines(), (std::vector<std::string>{
                               "%!PS-Adobe-3.0",
                               "%%BoundingBox: 0 0 " + w + " " + h,
                               "%%EndComments",
                               "3 dict dup /PageSize [" + w + " " + h +
                                   "] put dup /ImagingBBox null put dup /Orientation " +
                                   std::to_string(c.orientation) + " put setpagedevice",
                               "/DeviceRGB setcolorspace",
                               "showpage",
                           }));
  }
}

TEST_F(DrawingPsTest, ColoursAreWrittenOnlyWhenTheyChange) {
  DrawingPtr d = New(612, 792);
  DrawingColor c;
  d->get_color(&c);
  EXPECT_EQ(c, (DrawingColor{-1, -1, -1}));  // nothing set yet
  d->set_color({65535, 0, 0});
  d->set_color({65535, 0, 0});
  d->get_color(&c);
  EXPECT_EQ(c, (DrawingColor{65535, 0, 0}));
  d->set_color({0, 0, 65535});
  EXPECT_EQ(d->get_color_mode(), kColorModeColor);
  EXPECT_EQ(Body(), (std::vector<std::string>{"1.000 0.000 0.000 setrgbcolor", "0.000 0.000 1.000 setrgbcolor"}));
}

TEST_F(DrawingPsTest, BlackAndWhiteKeepsOnlyWhite) {
  DrawingPtr d = New(612, 792, 0);
  EXPECT_EQ(d->get_color_mode(), kColorModeBlackWhite);
  d->set_color({65535, 0, 0});        // red -> black
  d->set_color({0, 0, 65535});        // blue -> black again: nothing new
  d->set_color({65535, 65535, 65535});
  d->set_color({53248, 53248, 53248});  // light grey -> black
  DrawingColor c;
  d->get_color(&c);
  EXPECT_EQ(c, (DrawingColor{0, 0, 0}));
  EXPECT_EQ(Body(), (std::vector<std::string>{"0.000 0.000 0.000 setrgbcolor", "1.000 1.000 1.000 setrgbcolor",
                                              "0.000 0.000 0.000 setrgbcolor"}));
}

TEST_F(DrawingPsTest, ColourNumbersKeepTheirPointUnderACommaLocale) {
  CommaLocale locale;
  if (!locale.available()) GTEST_SKIP() << "no locale with a decimal comma (scripts/install-deps.sh makes de_DE.UTF-8)";
  char check[16];
  std::snprintf(check, sizeof check, "%.1f", 0.5);
  ASSERT_STREQ(check, "0,5");  // the locale really uses a comma
  DrawingPtr d = New(612, 792);
  d->set_color({32768, 32768, 32768});
  EXPECT_EQ(Body(), (std::vector<std::string>{"0.500 0.500 0.500 setrgbcolor"}));
}

TEST_F(DrawingPsTest, FontsAreSelectedOncePerRecord) {
  DrawingPtr d = New(612, 792);
  const DrawingFont bold = d->use_font("helvetica", 16, "bold", "r");
  const DrawingFont sameContent = d->use_font("helvetica", 16, "bold", "r");
  EXPECT_EQ(d->get_text_height(bold), 13);
  d->draw_string_left(bold, 0, 0, "a");
  d->draw_string_left(bold, 0, 0, "b");
  d->draw_string_left(sameContent, 0, 0, "c");
  d->draw_string_left(bold, 0, 0, "d");
  const std::vector<std::string> body = Body();
  EXPECT_EQ(std::count(body.begin(), body.end(), "/Helvetica-Bold 10 selectfont"), 3);
  EXPECT_EQ(body.size(), 7u);

  struct Case {
    const char* family;
    int size;
    const char* weight;
    const char* selected;
    int height;
  } cases[] = {
      {"helvetica", 14, "medium", "/Helvetica 8 selectfont", 11},
      {"courier", 14, "medium", "/Courier 8 selectfont", 11},
      {"courier", 20, "bold", "/Courier-Bold 14 selectfont", 17},
      {"times", 12, "bold", "/Helvetica-Bold 6 selectfont", 9},  // other families print as Helvetica
      // Sizes the font-size dialog allows but paper cannot show at 6 points less.
      {"helvetica", 6, "medium", "/Helvetica 1 selectfont", 4},
      {"helvetica", 1, "medium", "/Helvetica 1 selectfont", 4},
  };
  for (const Case& c : cases) {
    MemoryFile out;
    DrawingPtr p = drawing_ps_new(out.file(), 612, 792, 1);
    const DrawingFont f = p->use_font(c.family, c.size, c.weight, "r");
    EXPECT_EQ(p->get_text_height(f), c.height) << c.family << " " << c.size;
    p->draw_string_left(f, 0, 0, "x");
    EXPECT_EQ(Without(out.Lines(), kHeaderLines).at(0), c.selected);
  }
}

TEST_F(DrawingPsTest, TopDownCoordinatesBecomePostScriptCoordinates) {
  DrawingPtr d = New(595, 841);
  const DrawingFont f = d->use_font("helvetica", 16, "medium", "r");  // 10 points on paper
  d->draw_rectangle(10, 20, 100, 50);
  d->fill_rectangle(10, 20, 100, 50);
  d->draw_line(0, 0, 100, 841);
  d->draw_string_left(f, 30, 100, "Hi");
  d->draw_string_right(f, 200, 100, "Hi");
  d->draw_string_center(f, 30, 101, 100, "Hi");
  d->draw_ellipse_text_right(f, 100, 50, "Hi");
  EXPECT_EQ(Body(), (std::vector<std::string>{
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
  DrawingPtr d = New(612, 792);
  EXPECT_EQ(d->get_x_unit(3), 12);
  EXPECT_EQ(d->get_y_unit(3), 12);
  EXPECT_EQ(d->get_device_class(), kDevicePrinter);
  const DrawingFont f = d->use_font("helvetica", 16, "medium", "r");
  const DrawingPoint triangle[3] = {{0, 0}, {10, 0}, {5, 5}};
  testing::internal::CaptureStderr();
  EXPECT_EQ(d->get_text_width(f, "Hello"), 0);
  EXPECT_EQ(d->get_text_width(f, "again"), 0);
  d->fill_polygon(triangle, 3);
  const std::string warnings = testing::internal::GetCapturedStderr();
  // One warning per operation and page, however often the painter asks.
  EXPECT_EQ(warnings,
            "*** WARNING ***: drawing_ps_get_text_width: Not implemented\n"
            "*** WARNING ***: drawing_ps_fill_polygon: Not implemented\n");
  EXPECT_TRUE(Body().empty());
}

TEST_F(DrawingPsTest, StringsAreEscaped) {
  struct Case {
    std::string text, literal;
  } cases[] = {
      {"Rosh HaShana (2)", "Rosh HaShana \\(2\\)"},
      {"a) b( c\\d", "a\\) b\\( c\\\\d"},
      {std::string("tab\tline\nnul", 12) + '\0', "tab\\011line\\012nul\\000"},
      {"\xD7\x90\x7F", "\xD7\x90\\177"},
  };
  for (const Case& c : cases) EXPECT_EQ(drawing_ps_escape(c.text), c.literal);
  DrawingPtr d = New(612, 792);
  d->draw_string_left(d->use_font("helvetica", 16, "medium", "r"), 0, 0, ":-)");
  EXPECT_EQ(Body().back(), "0 782 moveto (:-\\)) show");
}

class DrawingPsYiddishTest : public DrawingPsTest {
 protected:
  DrawingPsYiddishTest() {
    setLanguage(kLanguageYiddish);
    translate_init("");
    fontFile_ = home_.path() + "/yi.pfa";
    testenv::WriteFile(fontFile_, "%!PS-AdobeFont-1.0: TestYi\n/FontName /TestYi def\n{restore}if");
    setPrintYiddishFontFile(fontFile_);
  }
  ~DrawingPsYiddishTest() override {
    translate_done();
    settingsReset();
  }
  std::string fontFile_;
};

TEST_F(DrawingPsYiddishTest, HeaderEmbedsAndReencodesTheFont) {
  DrawingPtr d = New(612, 792);
  drawing_ps_free(d);
  const std::string text = out_.Text();
  const std::string expectedStart =
      "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 612 792\n%%EndComments\n"
      "3 dict dup /PageSize [612 792] put dup /ImagingBBox null put dup /Orientation 0 put setpagedevice\n"
      "/DeviceRGB setcolorspace\n"
      "%%BeginResource: font RTLFontA\n%!PS-AdobeFont-1.0: TestYi\n/FontName /TestYi def\n{restore}if\n"
      "%%EndResource\n\n/UnicodeEncoding 256 array def\n";
  EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
  const size_t encodingEnd = text.find("\npop\n\n/ReEncodeDict 5 dict def\n/ReEncode\n");
  const size_t define = text.find("\n} def\n\n/TestYi /RTLFontB UnicodeEncoding ReEncode\n\nshowpage\n");
  EXPECT_NE(encodingEnd, std::string::npos);
  EXPECT_NE(define, std::string::npos);
  EXPECT_LT(encodingEnd, define);
  EXPECT_EQ(text.size(), define + std::string("\n} def\n\n/TestYi /RTLFontB UnicodeEncoding ReEncode\n\nshowpage\n").size());
}

TEST_F(DrawingPsYiddishTest, TextGoesThroughTheReencodedFont) {
  DrawingPtr d = New(612, 792);
  const DrawingFont courier = d->use_font("courier", 16, "bold", "r");
  const DrawingFont helvetica = d->use_font("helvetica", 14, "medium", "r");
  out_.Text();
  const size_t header = out_.Lines().size();
  d->draw_string_left(courier, 0, 0, "\u05D0\u05D1\u05D2");
  d->draw_string_center(helvetica, 0, 100, 0, "(\u05E9\u05D1\u05EA)");
  d->draw_string_right(helvetica, 100, 0, "10:00");
  const char visual[] = {'(', static_cast<char>(226), static_cast<char>(225), static_cast<char>(224), ')', 0};
  EXPECT_EQ(Without(out_.Lines(), header),
            (std::vector<std::string>{
                "/RTLFontB 10 selectfont",
                std::string("0 782 moveto ") + visual + " show",
                "/RTLFontB 8 selectfont",
                // Mirrored parentheses around the right-to-left word, escaped.
                "0 50 (\\(\xFA\xE1\xF9\\)) stringwidth pop 2 div sub add 784 moveto (\\(\xFA\xE1\xF9\\)) show",
                "100 (10:00) stringwidth pop sub 784 moveto (10:00) show",
            }));
}

}  // namespace
