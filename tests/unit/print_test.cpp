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

// Paper sizes, lengths, margin fields and printable areas as rows of
// tests/data/print_units.tsv; a margin is read the same in a decimal-comma locale.
TEST(PrintUnits, Cases) {
  for (const auto& row : testenv::CaseRows("print_units.tsv")) {
    PrintJob job;
    std::string got;
    if (row[0] == "paper") {
      const PrintPaperFormat* format = PrintFindPaperFormat(row[1]);
      if (format) PrintSetPaper(job, *format, row[2] == "landscape");
      got = !format ? "none" : std::to_string(job.paperWidth) + " " + std::to_string(job.paperHeight);
      EXPECT_EQ(job.orientation, format && row[2] == "landscape" ? 1 : 0) << row[1];
    } else if (row[0] == "mm" || row[0] == "inch") {
      got = std::to_string(row[0] == "mm" ? PrintConvertMillimetersToPostscript(std::stoi(row[1]))
                                          : PrintConvertInchesToPostscript(std::stod(row[1])));
    } else if (row[0] == "margin") {
      const std::optional<int> v = PrintParseMarginMillimeters(row[1]);
      got = v ? std::to_string(*v) : "-";
    } else {
      int l = 0, t = 0, r = 0, b = 0;
      std::istringstream(row[1]) >> l >> t >> r >> b;
      PrintSetPaper(job, *PrintFindPaperFormat("A4"), true);
      PrintSetMargins(job, l, t, r, b);
      const PaintArea a = PrintArea(job);
      got = !PrintAreaIsUsable(job) ? "unusable"
                                    : std::to_string(a.x) + " " + std::to_string(a.y) + " " + std::to_string(a.width) + " " +
                                          std::to_string(a.height);
    }
    EXPECT_EQ(got, row[0] == "paper" ? row[3] : row[2]) << row[0] << " '" << row[1] << "'";
  }
  CommaLocale locale;
  if (locale.available()) {
    EXPECT_EQ(PrintParseMarginMillimeters("12.5"), 12);
  }
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
