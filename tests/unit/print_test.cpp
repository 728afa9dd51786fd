// The print path: paper formats and unit conversions, margins as the print
// dialog reads them, and a month painted into a PostScript file.
#include "compose/current_options.h"
#include "render/print.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>
#include <string>

#include "ps_output.h"
#include "base/settings.h"
#include "base/translate.h"
#include "test_env.h"

namespace {

using testenv::CommaLocale;
using testenv::ReadFile;
using testenv::TempHome;
using testenv::WriteFile;

TEST(PrintUnits, PaperFormatsInPoints) {
  // Letter and Legal are 8.5 inches wide; A4 is 210 x 297 mm, 595.28 x 841.89
  // points, truncated.
  struct Case {
    const char* name;
    bool landscape;
    int width, height;
  } cases[] = {
      {"Letter", false, 612, 792}, {"Legal", false, 612, 1008}, {"A4", false, 595, 841},
      {"letter", true, 792, 612},  {"LEGAL", true, 1008, 612},  {"A4", true, 841, 595},
  };
  for (const Case& c : cases) {
    const PrintPaperFormat* format = PrintFindPaperFormat(c.name);
    ASSERT_NE(format, nullptr) << c.name;
    PrintJob job;
    PrintSetPaper(job, *format, c.landscape);
    EXPECT_EQ(job.paperWidth, c.width) << c.name;
    EXPECT_EQ(job.paperHeight, c.height) << c.name;
    EXPECT_EQ(job.orientation, c.landscape ? 1 : 0);
  }
  EXPECT_EQ(PrintFindPaperFormat("A5"), nullptr);
  EXPECT_EQ(PrintConvertMillimetersToPostscript(12), 34);
  EXPECT_EQ(PrintConvertMillimetersToPostscript(254), 720);
  EXPECT_EQ(PrintConvertInchesToPostscript(0.99), 71);
}

TEST(PrintUnits, MarginsInWholeMillimetres) {
  struct Case {
    const char* text;
    int mm;  // -1: refused
  } cases[] = {
      {"12.9", 12}, {" 12.5", 12}, {"\t7", 7},    {"", 0},      {".5", 0},     {"3.", 3},    {"+4", 4},
      {"12 ", -1},  {"  ", -1},    {"12,5", -1}, {"-3", -1},   {"inf", -1},   {"1e2", -1},  {"0x10", -1},
      {"99999", -1}, {"1.2.3", -1},
  };
  for (const Case& c : cases) {
    const std::optional<int> v = PrintParseMarginMillimeters(c.text);
    if (c.mm < 0) {
      EXPECT_FALSE(v.has_value()) << "'" << c.text << "'";
    } else {
      EXPECT_EQ(v, c.mm) << "'" << c.text << "'";
    }
  }
  CommaLocale locale;
  if (locale.available()) {
    EXPECT_EQ(PrintParseMarginMillimeters("12.5"), 12);
  }
}

TEST(PrintUnits, A4LandscapeWithTenMillimetreMargins) {
  PrintJob job;
  PrintSetPaper(job, *PrintFindPaperFormat("A4"), true);
  PrintSetMargins(job, 10, 10, 10, 10);
  const PaintArea a = PrintArea(job);
  EXPECT_EQ(std::to_string(a.x) + " " + std::to_string(a.y) + " " + std::to_string(a.width) + " " + std::to_string(a.height),
            "28 28 785 539");
  EXPECT_TRUE(PrintAreaIsUsable(job));
  PrintSetMargins(job, 150, 10, 147, 10);  // 425 + 416 points: 0 left
  EXPECT_FALSE(PrintAreaIsUsable(job));
  PrintSetMargins(job, 10, 105, 10, 105);  // 297 + 297 points of 595 height: 1 left
  EXPECT_TRUE(PrintAreaIsUsable(job));
}

class PrintPathTest : public ::testing::Test {
 protected:
  PrintPathTest() {
    settingsReset();
    translate_init("english");
    PrintSetPaper(job_, PrintPaperFormats[0], false);
    PrintSetMargins(job_, 10, 10, 10, 10);
  }
  ~PrintPathTest() override {
    translate_done();
    settingsReset();
  }
  std::string Path(const char* name) const { return home_.path() + "/" + name; }
  std::string Printed() {
    std::string error;
    EXPECT_TRUE(PrintJobToFile(job_, Path("out.ps"), october2024_, CurrentOptions(), &error)) << error;
    return ReadFile(Path("out.ps"));
  }

  TempHome home_;
  PrintJob job_;
  const GregorianDate october2024_{1, 10, 2024};
};

TEST_F(PrintPathTest, OnePageOfTheMonth) {
  const std::string ps = Printed();
  EXPECT_EQ(ps.rfind("%!PS-Adobe-3.0\n%%BoundingBox: 0 0 612 792\n", 0), 0u);
  EXPECT_EQ(ps.substr(ps.size() - 10), "\nshowpage\n");
  EXPECT_EQ(ps.find("showpage"), ps.rfind("showpage"));
  // The caption is centred in the printable width: x = left margin, half width.
  EXPECT_NE(ps.find("28 278 (October 2024) stringwidth pop 2 div sub add"), std::string::npos);
  EXPECT_NE(ps.find("(Yom Kippur) show"), std::string::npos);
  // Colour: the blue Hebrew caption and the festival cells, 53248/65535 = 0.8125..
  EXPECT_NE(ps.find("0.000 0.000 1.000 setrgbcolor"), std::string::npos);
  EXPECT_NE(ps.find("0.813 0.813 1.000 setrgbcolor"), std::string::npos);
}

TEST_F(PrintPathTest, BlackAndWhiteHasOnlyBlackAndWhite) {
  job_.color = 0;
  std::istringstream in(Printed());
  int count = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.find("setrgbcolor") == std::string::npos) continue;
    ++count;
    EXPECT_TRUE(line == "0.000 0.000 0.000 setrgbcolor" || line == "1.000 1.000 1.000 setrgbcolor") << line;
  }
  EXPECT_GT(count, 2);
}

TEST_F(PrintPathTest, FailuresAreReportedAndLeaveFilesAlone) {
  std::string error;
  const std::string noDir = Path("no-such-dir/out.ps");
  EXPECT_FALSE(PrintJobToFile(job_, noDir, october2024_, CurrentOptions(), &error));
  EXPECT_NE(error.find(noDir), std::string::npos) << error;

  // Yiddish without a usable print font: nothing is written, not even an
  // empty file over an old one.
  Options yiddish;
  yiddish.text.language = kLanguageYiddish;
  const std::string old = Path("old.ps");
  WriteFile(old, "old content");
  WriteFile(Path("text.pfa"), "just some text\n");
  for (const std::string& font : {Path("missing.pfa"), Path("text.pfa")}) {  // no file, no /FontName
    yiddish.look.printFontFile = font;
    error.clear();
    EXPECT_FALSE(PrintJobToFile(job_, old, october2024_, yiddish, &error)) << font;
    EXPECT_NE(error.find(font), std::string::npos) << error;
    EXPECT_EQ(ReadFile(old), "old content") << font;
    testenv::MemoryFile mem;
    EXPECT_FALSE(PrintToStream(mem.file(), PrintArea(job_), 612, 792, 1, october2024_, yiddish, &error));
    EXPECT_EQ(mem.Text(), "");
  }
  EXPECT_FALSE(PrintCheckYiddishFont(yiddish).empty());
  // English without Hebrew numerals does not need the font.
  yiddish.text.language = kLanguageEnglish;
  EXPECT_EQ(PrintCheckYiddishFont(yiddish), "");
}

}  // namespace
