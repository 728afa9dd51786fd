// The year sheet laid out with the printer's widths: no two texts overlap
// and none leaves the printable area, on every paper and in every language;
// a year fits one page; more rows go on to further pages, each row once.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "base/settings.h"
#include "compose/current_options.h"
#include "base/translate.h"
#include "ps_output.h"
#include "render/drawing_ps.h"
#include "render/print.h"
#include "render/year_sheet.h"
#include "storage/user_files.h"
#include "test_env.h"
#include "recording_drawing.h"

namespace {

constexpr const char* kAharoni = "/usr/share/fonts/X11/Type1/AharoniCLM-Book.pfa";

struct PaintedSheet {
  YearSheetLayout layout;
  std::vector<std::vector<testenv::TextBox>> pages;
  std::string postscript;
};

// Paints `text` on a PostScript page, recording every text's box with the
// print fonts' widths, page by page.
PaintedSheet Paint(const YearSheetText& text, const PaintArea& area, int paperWidth, int paperHeight, const Options& o) {
  PaintedSheet sheet;
  testenv::MemoryFile out;
  {
    DrawingPtr ps = drawing_ps_new(out.file(), paperWidth, paperHeight, 1, o);
    testenv::TextBoxRecorder recorder(*ps);
    size_t pageStart = 0;
    auto endPage = [&] {
      sheet.pages.emplace_back(recorder.boxes.begin() + static_cast<long>(pageStart), recorder.boxes.end());
      pageStart = recorder.boxes.size();
    };
    sheet.layout = PaintYearSheet(recorder, area, text, [&] {
      endPage();
      drawing_ps_next_page(*ps);
    });
    endPage();
  }
  sheet.postscript = out.Text();
  return sheet;
}

size_t Count(const std::string& haystack, const std::string& needle) {
  size_t n = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++n;
  return n;
}

class YearSheetLayoutTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    if (GetParam() != kLanguageEnglish && !std::filesystem::exists(kAharoni)) GTEST_SKIP() << "culmus is not installed";
    ASSERT_TRUE(InstallDefaultUserFiles());
    settingsReset();
    o_ = CurrentOptions();
    o_.text.language = GetParam();
    o_.look.printFontFile = kAharoni;
    o_.times.clock = ClockStyle{kTimeFormat12, isRightToLeftLanguage(GetParam())};  // the widest times
    translate_init(getLanguagePrefix(GetParam()));
  }
  void TearDown() override {
    translate_done();
    settingsReset();
  }
  static PaintArea AreaOf(const PrintPaperFormat& paper, PrintJob* job) {
    PrintSetPaper(*job, paper, false);
    PrintSetMargins(*job, 10, 10, 10, 10);
    return PrintArea(*job);
  }
  testenv::TempHome home_;
  Options o_;
};

TEST_P(YearSheetLayoutTest, ARealYearFitsOnePageOfEveryPaper) {
  const struct {
    const char* city;
    bool diaspora;
    int year;
    bool hebrew;
  } sheets[] = {
      {"Jerusalem", false, 2026, false}, {"New York City", true, 5787, true}};
  for (const auto& s : sheets) {
    o_.times.city = s.city;
    o_.rules.diaspora = s.diaspora;
    const YearSheetText text = YearSheetTextOf(s.year, s.hebrew, o_);
    ASSERT_GT(text.rows.size(), 60u);
    for (const PrintPaperFormat& paper : PrintPaperFormats) {
      SCOPED_TRACE(std::string(s.city) + " " + std::to_string(s.year) + " " + std::string(paper.name));
      PrintJob job;
      const PaintArea area = AreaOf(paper, &job);
      const PaintedSheet sheet = Paint(text, area, job.paperWidth, job.paperHeight, o_);
      EXPECT_EQ(sheet.layout.pages, 1);
      EXPECT_FALSE(sheet.layout.labelsCut);
      EXPECT_GE(sheet.layout.size, 6);
      ASSERT_EQ(sheet.pages.size(), 1u);
      const std::vector<std::string> problems = testenv::BoxProblems(sheet.pages[0], &area);
      EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s), first: " << problems.front();
      EXPECT_EQ(Count(sheet.postscript, "showpage"), 1u);
    }
  }
}

// More rows than any size fits on a page go on to further pages, each row
// once and every page with its heading; on a short page the same.
TEST_P(YearSheetLayoutTest, RowsBeyondOnePageGoOnToMorePages) {
  o_.times.city = "New York City";
  const YearSheetText year = YearSheetTextOf(2026, false, o_);
  YearSheetText text = year;
  while (text.rows.size() < 260) {
    text.rows.insert(text.rows.end(), year.rows.begin(), year.rows.end());
    text.monthStarts.insert(text.monthStarts.end(), year.monthStarts.begin(), year.monthStarts.end());
  }
  for (int i = 0; i < static_cast<int>(text.rows.size()); ++i)
    text.rows[static_cast<size_t>(i)][kSheetLabel] += " #" + std::to_string(i);
  PrintJob job;
  const PaintArea letter = AreaOf(PrintPaperFormats[0], &job);
  const PaintArea shortArea{letter.x, letter.y, letter.width, 220};
  for (const PaintArea& area : {letter, shortArea}) {
    SCOPED_TRACE(area.height);
    const PaintedSheet sheet = Paint(text, area, job.paperWidth, job.paperHeight, o_);
    EXPECT_GE(sheet.layout.pages, 2);
    ASSERT_EQ(sheet.pages.size(), static_cast<size_t>(sheet.layout.pages));
    EXPECT_EQ(Count(sheet.postscript, "showpage"), static_cast<size_t>(sheet.layout.pages));
    EXPECT_GE(static_cast<size_t>(sheet.layout.rowsPerPage * sheet.layout.pages), text.rows.size());
    std::map<std::string, int> labels;
    for (const auto& page : sheet.pages) {
      const std::vector<std::string> problems = testenv::BoxProblems(page, &area);
      EXPECT_TRUE(problems.empty()) << problems.size() << " problem(s), first: " << problems.front();
      int titles = 0;
      for (const testenv::TextBox& b : page) {
        if (b.text == text.title) ++titles;
        if (b.text.find(" #") != std::string::npos) ++labels[b.text];
      }
      EXPECT_EQ(titles, 1);
    }
    EXPECT_EQ(labels.size(), text.rows.size());
    for (const auto& [label, count] : labels) EXPECT_EQ(count, 1) << label;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, YearSheetLayoutTest,
                         ::testing::Values(kLanguageEnglish, kLanguageYiddish, kLanguageHebrew));

}  // namespace
