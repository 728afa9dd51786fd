// The print path: paper formats, margins and printable areas (rows of
// tests/data/print_units.tsv), a month printed into a PostScript file,
// failures that leave files alone; PDF through Ghostscript's library, and
// which file names ask for it.
#include "render/print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "base/settings.h"
#include "base/translate.h"
#include "compose/current_options.h"
#include "ps_output.h"
#include "render/pdf.h"
#include "test_env.h"

namespace {

using testenv::ReadFile;

// A margin is read the same in a decimal-comma locale.
TEST(PrintUnits, Cases) {
  for (const auto& row : testenv::CaseRows("print_units.tsv")) {
    PrintJob job;
    std::ostringstream got;
    if (row[0] == "paper") {
      const PrintPaperFormat* format = PrintFindPaperFormat(row[1]);
      if (format) PrintSetPaper(job, *format, row[2] == "landscape");
      got << (format ? std::to_string(job.paperWidth) + " " + std::to_string(job.paperHeight) : "none");
      EXPECT_EQ(job.orientation, format && row[2] == "landscape" ? 1 : 0) << row[1];
    } else if (row[0] == "margin") {
      const std::optional<int> v = PrintParseMarginMillimeters(row[1]);
      got << (v ? std::to_string(*v) : "-");
    } else {
      int l = 0, t = 0, r = 0, b = 0;
      std::istringstream(row[1]) >> l >> t >> r >> b;
      PrintSetPaper(job, *PrintFindPaperFormat("A4"), true);
      PrintSetMargins(job, l, t, r, b);
      const PaintArea a = PrintArea(job);
      if (PrintAreaIsUsable(job))
        got << a.x << " " << a.y << " " << a.width << " " << a.height;
      else
        got << "unusable";
    }
    EXPECT_EQ(got.str(), row[0] == "paper" ? row[3] : row[2]) << row[0] << " '" << row[1] << "'";
  }
  EXPECT_TRUE(!testenv::UseCommaLocale() || PrintParseMarginMillimeters("12.5") == 12);
  std::setlocale(LC_ALL, "C");
}

// A month printed to a file: the caption centred in the printable
// width (x = left margin + half width); the blue Hebrew caption and the
// festival cells in colour (49344/65535 = 0.753, 56540/65535 = 0.863). Yiddish without a usable
// print font (no file, no /FontName): nothing is written, not even an empty
// file over an old one. English without Hebrew numerals needs no font.
TEST(PrintPath, AMonthToAFileOrNothing) {
  testenv::TempHome home;
  settingsReset();
  translate_init("english");
  PrintJob job;
  PrintSetPaper(job, PrintPaperFormats[0], false);
  PrintSetMargins(job, 10, 10, 10, 10);
  const GregorianDate october{1, 10, 2024};
  const std::string path = home.path() + "/out.ps", old = home.path() + "/old.ps", text = home.path() + "/text.pfa";
  std::string error;
  ASSERT_TRUE(PrintJobToFile(job, path, october, CurrentOptions(), &error)) << error;
  const std::string ps = ReadFile(path);
  for (const char* part : {"28 278 (October 2024) stringwidth pop 2 div sub add", "(Yom Kippur) show",
                           "0.000 0.000 0.753 setrgbcolor", "0.863 0.863 1.000 setrgbcolor"})
    EXPECT_NE(ps.find(part), std::string::npos) << part;
  Options yiddish;
  yiddish.text.language = kLanguageYiddish;
  testenv::WriteFile(old, "old content");
  testenv::WriteFile(text, "just some text\n");
  for (const std::string& font : {home.path() + "/missing.pfa", text}) {
    yiddish.look.printFontFile = font;
    error.clear();
    EXPECT_FALSE(PrintJobToFile(job, old, october, yiddish, &error)) << font;
    EXPECT_NE(error.find(font), std::string::npos) << error;
    EXPECT_EQ(ReadFile(old), "old content") << font;
    EXPECT_EQ(testenv::Written([&](std::FILE* out) {
                EXPECT_FALSE(PrintToStream(out, PrintArea(job), 612, 792, 1, october, yiddish, &error));
              }),
              "");
  }
  EXPECT_FALSE(PrintCheckYiddishFont(yiddish).empty());
  yiddish.text.language = kLanguageEnglish;
  EXPECT_EQ(PrintCheckYiddishFont(yiddish), "");
  translate_done();
  settingsReset();
}

TEST(Pdf, FileNamesAndFailures) {
  for (const char* name : {"april.pdf", "April.PDF", "/tmp/x.Pdf", ".pdf"}) EXPECT_TRUE(PdfIsPdfFileName(name)) << name;
  for (const char* name : {"april.ps", "april.pdf.ps", "pdf", "aprilpdf", "", "a.pd", "a.pdfx"})
    EXPECT_FALSE(PdfIsPdfFileName(name)) << name;
  // Broken PostScript is an error, not an empty file; file operators on files
  // outside the job (and the temporary folder) are refused by the safe mode.
  std::string pdf, error;
  EXPECT_FALSE(PdfFromPostScript("%!PS\n/nosuchoperator_x 1 2 nosuchoperator_x\n", &pdf, &error));
  EXPECT_NE(error.find("Ghostscript"), std::string::npos) << error;
  // The temporary folder is a private one, so the file lies outside it.
  const std::string tmp = testenv::MakeTempDir();
  const testenv::ScopedEnv privateTmp("TMPDIR", tmp.c_str());
  const testenv::TempHome elsewhere;
  const std::string file = elsewhere.path() + "/keep";
  testenv::WriteFile(file, "x");
  EXPECT_FALSE(PdfFromPostScript("%!PS\n(" + file + ") deletefile showpage\n", &pdf, &error));
  EXPECT_EQ(testenv::ReadFile(file), "x");
  std::filesystem::remove_all(tmp);
}

}  // namespace
